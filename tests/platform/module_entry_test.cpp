// Loading the layers built as modules: only from the folder relative to the
// program, or one a test names; the real modules of this build tree, and a
// module that is not there.

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

  // This test program lies in the build tree, but not where the programs do: it
  // looks only relative to its own folder, and finds nothing there.
  void nothingIsLoadedFromOutsideTheProgramsLayout() {
    const QtMessageHandler previous = qInstallMessageHandler(Record);
    const QFunctionPointer http = klemvar::ModuleEntry("http", "klemvar_http_module");
    qInstallMessageHandler(previous);
    QVERIFY(!http);
    QCOMPARE(moduleWarnings.size(), 1);
    QVERIFY2(!moduleWarnings[0].contains(KLEMVAR_BUILD_MODULE_FOLDER),
             qPrintable(moduleWarnings[0]));
  }

  // Every later test loads from the folder it names.
  void theNamedFoldersModulesAreFound() {
    klemvar::SetModuleFolder(QStringLiteral(KLEMVAR_BUILD_MODULE_FOLDER));
    QVERIFY(klemvar::ModuleEntry("sound", "klemvar_sound_module"));
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
