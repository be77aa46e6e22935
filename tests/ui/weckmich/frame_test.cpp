// The application frame: how escaping errors are reported, that the program
// goes on after them, and the regional settings being read again on a change.

#include <QLocale>
#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "core/convert_error.h"
#include "core/timeformat.h"
#include "main_window_fixture.h"
#include "platform/locale/qt_locale_source.h"
#include "support/klemvar_test_main.h"
#include "ui/frame/error_report.h"

using namespace klemvar;
using namespace klemvar::testing;

namespace {

// An object whose handler fails on its first event.
class Failing : public QObject {
 public:
  int handled = 0;
  bool event(QEvent* event) override {
    if (event->type() != QEvent::User) return QObject::event(event);
    if (++handled == 1) throw EConvertError(kInvalidTimeMessage);
    return true;
  }
};

}  // namespace

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

  void anEscapingErrorIsShownAndTheNextEventIsHandled() {
    ScriptedMessageBox boxes;
    Failing failing;
    QEvent first(QEvent::User), second(QEvent::User);
    QCOMPARE(QCoreApplication::sendEvent(&failing, &first), false);
    QCOMPARE(QCoreApplication::sendEvent(&failing, &second), true);
    QCOMPARE(failing.handled, 2);
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
    connect(&timer, &QTimer::timeout, this, [&] {
      if (++ticks == 1) throw std::runtime_error("kaputt");
    });
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
    ResetAlarmState();
    AlarmArmed = true;
    TFormKlemvar form;
    QCOMPARE(boxes.shown().size(), size_t(1));
    QCOMPARE(boxes.shown()[0].text,
             QString::fromUtf8("Ungültiges Argument zum Codieren der Uhrzeit."));
    QVERIFY(!AlarmArmed);  // the steps before it ran
    QVERIFY(form.TrayIcon->isVisible());
    QVERIFY(ProgramFolder.empty());  // the steps after it did not
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
  }

  void theApplicationIsNamedKlemvar() {
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Klemvar"));
  }

  void aLocaleChangeReadsTheTimeFormatAgain() {
    TimeFormatSettings stale;
    stale.TimePattern = "AMPM h:mm:ss";
    stale.timeSeparator = "#";
    SetCurrentTimeFormat(stale);
    QLocale::setDefault(QLocale(QLocale::Korean, QLocale::SouthKorea));
    QEvent change(QEvent::LocaleChange);
    QCoreApplication::sendEvent(qApp, &change);
    QCOMPARE(QLocale(), QLocale::system());
    const TimeFormatSettings expected = ReadTimeFormatSettings(QtLocaleInfoSource());
    QCOMPARE(CurrentTimeFormat().TimePattern, expected.TimePattern);
    QCOMPARE(CurrentTimeFormat().timeSeparator, expected.timeSeparator);
  }
};

KLEMVAR_TEST_MAIN(FrameTest)
#include "frame_test.moc"
