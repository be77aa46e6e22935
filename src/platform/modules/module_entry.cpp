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

bool Inside(const QString& folder, const QString& tree) {
  return folder == tree || folder.startsWith(tree + QLatin1Char('/'));
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
  const QString programFolder = QCoreApplication::applicationDirPath();
  const QString built = QStringLiteral(KLEMVAR_BUILD_MODULE_FOLDER);
  // A program run from its build tree uses the modules built there, whatever
  // folder of the tree it was built in.
  if (Inside(programFolder, QStringLiteral(KLEMVAR_BUILD_TREE))) return built;
  const QString installed = QDir::cleanPath(programFolder + QLatin1Char('/') +
                                            QStringLiteral(KLEMVAR_MODULE_FOLDER_FROM_PROGRAM));
  // A copy of a program built here that runs from a folder of its own, as some
  // tests run it, has no installation around it.
  if (!QFileInfo(installed).isDir() && QFileInfo(built).isDir()) return built;
  return installed;
}

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
