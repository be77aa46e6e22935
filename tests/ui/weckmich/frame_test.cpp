// The application frame: how errors escaping a handler are reported at its
// boundary, that the program goes on after them, and the regional settings
// being read again on a change.

#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "core/convert_error.h"
#include "core/timeformat.h"
#include "main_window_fixture.h"
#include "support/klemvar_test_main.h"
#include "ui/frame/error_report.h"
#include "ui/frame/handler.h"

using namespace klemvar;
using namespace klemvar::testing;

class FrameTest : public QObject {
  Q_OBJECT

 private slots:
  void errorTextGetsAFullStopUnlessItEndsAtOrBelowOne_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain") << "Fehler"
                           << "Fehler.";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("exclamation") << "Fehler!"
                                 << "Fehler!";
    QTest::newRow("parenthesis") << "Fehler (1)"
                                 << "Fehler (1)";
    QTest::newRow("full stop") << "Fehler."
                               << "Fehler.";
    QTest::newRow("hyphen sorts below") << "Fehler -"
                                        << "Fehler -";
    QTest::newRow("slash sorts above") << "a/b/"
                                       << "a/b/.";
    QTest::newRow("umlaut") << QString::fromUtf8("Größe") << QString::fromUtf8("Größe.");
  }
  void errorTextGetsAFullStopUnlessItEndsAtOrBelowOne() {
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(ErrorBoxText(message), shown);
  }

  // The error stops at the handler's boundary: click() returns normally, so
  // nothing unwinds through Qt's signal delivery.
  void aHandlerErrorIsShownAtItsBoundaryAndTheNextSignalIsHandled() {
    ScriptedMessageBox boxes;
    QPushButton button;
    int handled = 0;
    connect(&button, &QPushButton::clicked, &button, Guarded([&] {
      if (++handled == 1) throw EConvertError(kInvalidTimeMessage);
    }));
    button.click();
    button.click();
    QCOMPARE(handled, 2);
    QCOMPARE(boxes.shown().size(), size_t(1));
    QCOMPARE(boxes.shown()[0].text,
             QString::fromUtf8("Ungültiges Argument zum Codieren der Uhrzeit."));
    QCOMPARE(boxes.shown()[0].caption, QStringLiteral("Klemvar"));
    QCOMPARE(boxes.shown()[0].flags, mb::kOk | mb::kIconError);
  }

  void aTimerKeepsTickingAfterItsHandlerFailed() {
    ScriptedMessageBox boxes;
    QTimer timer;
    int ticks = 0;
    connect(&timer, &QTimer::timeout, this, Guarded([&] {
      if (++ticks == 1) throw std::runtime_error("kaputt");
    }));
    timer.start(10);
    QTRY_VERIFY(ticks >= 3);
    QCOMPARE(boxes.shown().size(), size_t(1));
    QCOMPARE(boxes.shown()[0].text, QStringLiteral("kaputt."));
  }

  void aFailingCreationHandlerIsReportedAndTheWindowStillComes() {
    ScriptedMessageBox boxes;
    FakeClock clock;
    FakeTrayHost tray;
    clock.Set(2024, 3, 14, 24, 0);  // the preset step fails
    TFormKlemvar form(nullptr, tray, clock);
    QCOMPARE(boxes.shown().size(), size_t(1));
    QCOMPARE(boxes.shown()[0].text,
             QString::fromUtf8("Ungültiges Argument zum Codieren der Uhrzeit."));
    QVERIFY(form.TrayIcon->isVisible());  // the steps before it ran
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
  }

  void theApplicationIsNamedKlemvar() {
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Klemvar"));
  }

  // The test runs under LC_ALL=C.UTF-8 (tests/ui/weckmich/CMakeLists.txt), whose
  // settings are "hh:mm:ss" with ":", "AM", "PM" and "." as decimal separator.
  void aLocaleChangeReadsTheRegionalSettingsAgain() {
    QCOMPARE(QLocale::system().name(), QStringLiteral("C"));
    FormatSettings stale;
    stale.TimePattern = "AMPM h:mm:ss";
    stale.timeSeparator = "#";
    stale.morningDesignator = "vorm.";
    stale.decimalSeparator = ",";
    Application().SetFormat(stale);
    QLocale::setDefault(QLocale(QLocale::Korean, QLocale::SouthKorea));
    QEvent change(QEvent::LocaleChange);
    QCoreApplication::sendEvent(qApp, &change);
    QCOMPARE(QLocale(), QLocale::system());
    const FormatSettings& read = Application().Format();
    QCOMPARE(read.TimePattern, std::string("hh:mm:ss"));
    QCOMPARE(read.timeSeparator, std::string(":"));
    QCOMPARE(read.morningDesignator, std::string("AM"));
    QCOMPARE(read.afternoonDesignator, std::string("PM"));
    QCOMPARE(read.decimalSeparator, std::string("."));
  }
};

KLEMVAR_TEST_MAIN(FrameTest)
#include "frame_test.moc"
