#include "platform/modules/module_entry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLibrary>
#include <QLoggingCategory>
#include <memory>
#include <vector>

namespace klemvar {
namespace {

Q_LOGGING_CATEGORY(lcModules, "klemvar.modules")

// Empty: the program's own folder decides.
QString& NamedFolder() {
  static QString folder;
  return folder;
}

QFunctionPointer Load(const QString& name, const char* entry) {
  const QString path = ModuleFolder() + QLatin1Char('/') + name + QStringLiteral(".so");
  if (!QFileInfo::exists(path)) {
    qCWarning(lcModules, "module %s not loaded: there is no %s", qPrintable(name),
              qPrintable(path));
    return nullptr;
  }
  auto library = std::make_unique<QLibrary>(path);
  if (!library->load()) {
    qCWarning(lcModules, "module %s not loaded: %s", qPrintable(name),
              qPrintable(library->errorString()));
    return nullptr;
  }
  const QFunctionPointer function = library->resolve(entry);
  if (!function)
    qCWarning(lcModules, "module %s has no entry %s: %s", qPrintable(name), entry,
              qPrintable(library->errorString()));
  // Never unloaded, nor destroyed: the layer's objects live until the program
  // ends, and a QLibrary destroyed among the static objects at exit could
  // outlive Qt's own library registry.
  static auto* const loaded = new std::vector<QLibrary*>;
  loaded->push_back(library.release());
  return function;
}

}  // namespace

QString ModuleFolder() {
  if (!NamedFolder().isEmpty()) return NamedFolder();
  // Only relative to the program itself: a folder named at build time could
  // belong to anybody by the time the installed program runs.
  return QDir::cleanPath(QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                         QStringLiteral(KLEMVAR_MODULE_FOLDER_FROM_PROGRAM));
}

void SetModuleFolder(const QString& folder) { NamedFolder() = folder; }

QFunctionPointer ModuleEntry(const QString& name, const char* entry) {
  static QHash<QString, QFunctionPointer> tried;
  const QString key = name + QLatin1Char(':') + QLatin1String(entry);
  const auto found = tried.constFind(key);
  if (found != tried.constEnd()) return found.value();
  const QFunctionPointer function = Load(name, entry);
  tried.insert(key, function);
  return function;
}

}  // namespace klemvar
