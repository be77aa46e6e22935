// Loading the layers built as modules: the real modules of this build tree, and
// a module that is not there.

#include <QTest>

#include "platform/modules/module_entry.h"

namespace {

QStringList moduleWarnings;

void Record(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtWarningMsg && QByteArray(context.category) == "klemvar.modules")
    moduleWarnings << message;
}

}  // namespace

class ModuleEntryTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { moduleWarnings.clear(); }

  void theBuildTreesModulesAreFound() {
    QCOMPARE(klemvar::ModuleFolder(), QStringLiteral(KLEMVAR_BUILD_MODULE_FOLDER));
    QVERIFY(klemvar::ModuleEntry("sound", "klemvar_sound_module"));
    QVERIFY(klemvar::ModuleEntry("http", "klemvar_http_module"));
    QVERIFY(moduleWarnings.isEmpty());
  }

  void aMissingModuleIsToldOnceWithItsReason() {
    const QtMessageHandler previous = qInstallMessageHandler(Record);
    const QFunctionPointer first = klemvar::ModuleEntry("missing", "klemvar_missing_module");
    const QFunctionPointer second = klemvar::ModuleEntry("missing", "klemvar_missing_module");
    qInstallMessageHandler(previous);
    QVERIFY(!first);
    QVERIFY(!second);
    QCOMPARE(moduleWarnings.size(), 1);
    QVERIFY2(moduleWarnings[0].contains("missing.so"), qPrintable(moduleWarnings[0]));
  }

  void aMissingEntryIsToldOnce() {
    const QtMessageHandler previous = qInstallMessageHandler(Record);
    const QFunctionPointer first = klemvar::ModuleEntry("sound", "klemvar_no_such_entry");
    const QFunctionPointer second = klemvar::ModuleEntry("sound", "klemvar_no_such_entry");
    qInstallMessageHandler(previous);
    QVERIFY(!first);
    QVERIFY(!second);
    QCOMPARE(moduleWarnings.size(), 1);
    QVERIFY2(moduleWarnings[0].contains("klemvar_no_such_entry"), qPrintable(moduleWarnings[0]));
  }
};

QTEST_GUILESS_MAIN(ModuleEntryTest)
#include "module_entry_test.moc"
