// The alarm schedule through the main window, on an injected clock: the field
// rules, arming, the tick with its firing and repeat, switching off, and errors.

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "core/convert_error.h"
#include "main_window_fixture.h"
#include "support/klemvar_test_main.h"
#include "ui/aufwachen/aufwachen.h"
#include "ui/widgets/spin_edit.h"
#include "ui/widgets/status_bar.h"

using namespace klemvar;
using namespace klemvar::testing;

namespace {
const QString kInvalidTimeBox = QString::fromUtf8("Ungültiges Argument zum Codieren der Uhrzeit.");
}  // namespace

class AlarmTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<MainWindow> main_;
  TFormKlemvar* form() const { return main_->form.get(); }
  const AlarmSchedule& Schedule() const { return main_->Schedule(); }

  void Type(TSpinEdit* spin, const QString& keys) {
    spin->setFocus();
    spin->selectAll();
    if (keys.isEmpty()) QTest::keyClick(spin, Qt::Key_Backspace);
    QTest::keyClicks(spin, keys);
  }
  void Leave() { form()->EditAlarmTxt->setFocus(); }

  // Arms "in" H hours M minutes by the button.
  void ArmIn(int hours, int minutes) {
    form()->RadioButtonIn->setChecked(true);
    form()->SpinStunden->setValue(hours);
    form()->SpinMinuten->setValue(minutes);
    form()->ButtonWeckerStellen->click();
  }

  // A tick as the timer delivers it: through the timer's own signal, so the
  // handler runs inside the boundary that reports its errors.
  void Tick(std::int64_t afterMilliseconds) {
    main_->clock.Advance(afterMilliseconds);
    QMetaObject::invokeMethod(form()->Scheduler->Timer1, "timeout");
  }

  QString Panel(int index) const { return form()->StatusBar->PanelText(index); }

 private slots:
  void init() {
    main_ = std::make_unique<MainWindow>();
    main_->clock.Set(2024, 3, 14, 10, 0, 0, 0);
    main_->Open();
  }
  void cleanup() { main_.reset(); }

  void hourAndMinuteFieldsWrapAndClamp() {
    TSpinEdit* hours = form()->SpinStunden;
    Type(hours, "99");
    QCOMPARE(hours->text(), QStringLiteral("99"));  // stays while focused
    QTest::keyClick(hours, Qt::Key_Tab);
    QCOMPARE(hours->text(), QStringLiteral("0"));
    Type(hours, "");
    QCOMPARE(hours->text(), QStringLiteral("23"));  // cleared: at once
    hours->setFocus();
    QTest::keyClick(hours, Qt::Key_Up);
    QCOMPARE(hours->text(), QStringLiteral("0"));
    QTest::keyClick(hours, Qt::Key_Down);
    QCOMPARE(hours->text(), QStringLiteral("23"));
    Type(hours, "5");  // a lone "-" would read as -1 and turn into 23 at once
    QTest::keyClick(hours, Qt::Key_Home);
    QTest::keyClicks(hours, "-");
    QCOMPARE(hours->text(), QStringLiteral("-5"));
    Leave();
    QCOMPARE(hours->text(), QStringLiteral("23"));

    TSpinEdit* minutes = form()->SpinMinuten;
    Type(minutes, "99");
    Leave();
    QCOMPARE(minutes->text(), QStringLiteral("0"));
    Type(minutes, "");
    QCOMPARE(minutes->text(), QStringLiteral("59"));
    minutes->setFocus();
    QTest::keyClick(minutes, Qt::Key_Up);
    QCOMPARE(minutes->text(), QStringLiteral("0"));
  }

  void closeAfterFieldWrapsAndClampsOnLeaving() {
    TSpinEdit* close = form()->SpinEditAlarmClose;
    Type(close, "60");
    QCOMPARE(close->text(), QStringLiteral("0"));  // at once
    QCOMPARE(Schedule().AlarmCloseSeconds, 0);
    Type(close, "75");
    QCOMPARE(Schedule().AlarmCloseSeconds, 75);  // until the field is left
    Leave();
    QCOMPARE(close->text(), QStringLiteral("59"));
    QCOMPARE(Schedule().AlarmCloseSeconds, 59);
    close->setValue(0);
    close->setFocus();
    QTest::keyClick(close, Qt::Key_Down);
    QCOMPARE(close->text(), QStringLiteral("59"));
    QTest::keyClick(close, Qt::Key_Up);
    QCOMPARE(close->text(), QStringLiteral("0"));
  }

  void closeAfterMinusOneTurnsInto59OnlyFromZero() {
    TSpinEdit* close = form()->SpinEditAlarmClose;
    Type(close, "");  // the field showed 0
    QCOMPARE(close->text(), QStringLiteral("59"));
    Type(close, "5");
    Type(close, "");  // showed 5: stays empty, reads -1
    QCOMPARE(close->text(), QString());
    QCOMPARE(Schedule().AlarmCloseSeconds, -1);
    Leave();
    QCOMPARE(close->text(), QStringLiteral("0"));
    QCOMPARE(Schedule().AlarmCloseSeconds, 0);
    Type(close, "3");
    QTest::keyClick(close, Qt::Key_Home);
    QTest::keyClicks(close, "-");
    QCOMPARE(Schedule().AlarmCloseSeconds, -3);
    Leave();
    QCOMPARE(close->text(), QStringLiteral("0"));
    QCOMPARE(Schedule().AlarmCloseSeconds, 0);
  }

  void altWWithATypedHourReportsAndArmsNothing() {
    Type(form()->SpinStunden, "99");
    QTest::keyClick(form(), Qt::Key_W, Qt::AltModifier);
    QTRY_COMPARE(main_->boxes.shown().size(), size_t(1));
    const ShownBox& box = main_->boxes.shown().front();
    QCOMPARE(box.text, kInvalidTimeBox);
    QCOMPARE(box.caption, QStringLiteral("Klemvar"));
    QCOMPARE(box.flags, mb::kOk | mb::kIconError);
    QVERIFY(!Schedule().AlarmArmed);
    QCOMPARE(Schedule().AlarmTime, 0.0);
    QVERIFY(!form()->BitBtnAus->isEnabled());
    QVERIFY(form()->isVisible());
    QCOMPARE(form()->SpinStunden->text(), QStringLiteral("99"));  // the focus stayed
  }

  void armingHidesAndTheFiringTickBringsTheWindowBack() {
    form()->EditAlarmTxt->setText(QStringLiteral("Tee!"));
    ArmIn(0, 1);
    QVERIFY(Schedule().AlarmArmed);
    QVERIFY(form()->BitBtnAus->isEnabled());
    QVERIFY(!form()->isVisible());
    QCOMPARE(Schedule().AlarmText, std::string("Tee!"));
    form()->EditAlarmTxt->setText(QStringLiteral("later"));  // captured at arming
    QCOMPARE(Schedule().AlarmDate, DateToday(main_->clock));
    QCOMPARE(Schedule().AlarmTime, ComposeTime(10, 0, 0, 0) + ComposeTime(0, 1, 0, 0));

    Tick(30'000);
    QCOMPARE(Panel(0), QStringLiteral("10:00:30"));
    QCOMPARE(Panel(1), QStringLiteral("00:00:30"));
    QVERIFY(!form()->isVisible());
    Tick(29'999);  // a millisecond left: not yet, and shown as zero seconds
    QVERIFY(Schedule().AlarmArmed);
    QCOMPARE(Panel(1), QStringLiteral("00:00:00"));

    Tick(401);
    QVERIFY(!Schedule().AlarmArmed);
    QVERIFY(form()->isVisible());
    QVERIFY(!form()->BitBtnAus->isEnabled());
    QVERIFY(form()->AlarmWindow);
    QVERIFY(form()->AlarmWindow->isVisible());
    QVERIFY(!form()->AlarmWindow->parentWidget());
    QCOMPARE(Schedule().AlarmText, std::string("Tee!"));
    QCOMPARE(Panel(0), QStringLiteral("10:01:00"));
    QCOMPARE(Panel(1), QStringLiteral("00:00:00"));  // keeps its last text
  }

  // Hidden in the tray, the ticks leave the panels' labels alone; shown from the
  // tray, the window's panels read what the last tick wrote before they are painted.
  void hiddenTicksDrawNothingAndShowingShowsTheirTexts() {
    ArmIn(1, 0);
    QLabel* clock = form()->StatusBar->Panel(0);
    QLabel* countdown = form()->StatusBar->Panel(1);
    Tick(1'000);
    Tick(1'000);
    QCOMPARE(Panel(0), QStringLiteral("10:00:02"));
    QCOMPARE(clock->text(), QString());
    QCOMPARE(countdown->text(), QString());
    form()->Weckereinstellen1Click();
    QCOMPARE(clock->text(), QStringLiteral("10:00:02"));
    QCOMPARE(countdown->text(), QStringLiteral("00:59:58"));
    Tick(1'000);
    QCOMPARE(clock->text(), QStringLiteral("10:00:03"));
  }

  void repeatReArmsAndHidesAgainWhileAlarmWindowsStay() {
    form()->CheckBoxEvery->setChecked(true);
    ArmIn(0, 0);
    Tick(1'000);
    QPointer<TFormWeckdienst> first = form()->AlarmWindow;
    QVERIFY(first && first->isVisible());
    QVERIFY(Schedule().AlarmArmed);  // re-armed at once
    QVERIFY(form()->BitBtnAus->isEnabled());
    QVERIFY(!form()->isVisible());
    QCOMPARE(Schedule().AlarmTime, ComposeTime(10, 0, 1, 0));
    QCOMPARE(Panel(1), QStringLiteral("00:00:00"));
    Tick(1'000);
    QVERIFY(form()->AlarmWindow != first);
    QVERIFY(first && first->isVisible());
  }

  void repeatInModeUmSetsTheSameTimeTomorrow() {
    form()->CheckBoxEvery->setChecked(true);
    form()->SpinStunden->setValue(10);
    form()->SpinMinuten->setValue(0);
    form()->ButtonWeckerStellen->click();  // at exactly 10:00:00.000: today
    QCOMPARE(Schedule().AlarmDate, DateToday(main_->clock));
    Tick(1);
    QVERIFY(Schedule().AlarmArmed);
    QCOMPARE(Schedule().AlarmDate, DateTomorrow(main_->clock));
    QCOMPARE(SplitTime(Schedule().AlarmTime).hours, std::uint16_t(10));
    QCOMPARE(Panel(1), QStringLiteral("23:59:59"));
  }

  void ausSwitchesOffAndShowsMidnight() {
    ArmIn(1, 0);
    form()->show();
    Tick(1'000);
    QCOMPARE(Panel(1), QStringLiteral("00:59:59"));
    form()->BitBtnAus->click();
    QVERIFY(!Schedule().AlarmArmed);
    QVERIFY(!form()->BitBtnAus->isEnabled());
    QCOMPARE(Schedule().AlarmTime, 0.0);
    QCOMPARE(Panel(1), QStringLiteral("00:00:00"));
    Tick(3'600'000);  // nothing fires, panel 1 keeps the midnight text
    QVERIFY(!form()->AlarmWindow);
    QCOMPARE(Panel(1), QStringLiteral("00:00:00"));
  }

  void countdownCrossesMidnightWithoutAJump() {
    main_->clock.Set(2024, 3, 14, 22, 0, 0, 0);
    form()->SpinStunden->setValue(4);
    form()->SpinMinuten->setValue(0);
    form()->ButtonWeckerStellen->click();
    Tick(0);
    QCOMPARE(Panel(1), QStringLiteral("06:00:00"));
    Tick(2 * 3'600'000 - 1'000);
    QCOMPARE(Panel(0), QStringLiteral("23:59:59"));
    QCOMPARE(Panel(1), QStringLiteral("04:00:01"));
    Tick(2'000);
    QCOMPARE(Panel(0), QStringLiteral("00:00:01"));
    QCOMPARE(Panel(1), QStringLiteral("03:59:59"));
  }

  // An interval counts real time: the clock set back an hour neither delays
  // the ring nor adds the hour to the time left.
  void anIntervalRingsOnRealTimeWhenTheClockIsSetBack() {
    ArmIn(0, 20);
    main_->clock.Set(2024, 3, 14, 9, 0, 0, 0);
    Tick(10 * 60'000);
    QCOMPARE(Panel(0), QStringLiteral("09:10:00"));
    QCOMPARE(Panel(1), QStringLiteral("00:10:00"));
    Tick(10 * 60'000 + kTickAfterMoment);
    QVERIFY(form()->AlarmWindow);
  }

  // The last millisecond before midnight, on a clock that moves on at each
  // reading: every decision takes its date and time of day from one reading.
  void oneClockReadingPerDecisionAtMidnight() {
    const TDateTime fifteenth = ComposeDate(2024, 3, 15);
    form()->SpinStunden->setValue(0);
    form()->SpinMinuten->setValue(0);
    form()->ButtonWeckerStellen->click();  // "um" 00:00 at 10:00: the 15th
    QCOMPARE(Schedule().AlarmDate, fifteenth);

    main_->clock.Set(2024, 3, 14, 23, 59, 59, 999);
    main_->clock.StepAtEachReading(true);
    form()->Timer1Timer();
    main_->clock.StepAtEachReading(false);
    QVERIFY(Schedule().AlarmArmed);  // the 14th, a millisecond before the alarm's day
    QCOMPARE(Panel(0), QStringLiteral("23:59:59"));
    QCOMPARE(Panel(1), QStringLiteral("00:00:00"));

    form()->SpinStunden->setValue(7);
    main_->clock.Set(2024, 3, 14, 23, 59, 59, 999);
    main_->clock.StepAtEachReading(true);
    form()->ButtonWeckerStellen->click();  // 07:00 has passed on the 14th
    main_->clock.StepAtEachReading(false);
    QCOMPARE(Schedule().AlarmDate, fifteenth);
    QCOMPARE(SplitTime(Schedule().AlarmTime).hours, std::uint16_t(7));
    Tick(0);  // just after midnight: seven hours to go, nothing fires
    QVERIFY(Schedule().AlarmArmed);
    QVERIFY(!form()->AlarmWindow);
  }

  void presetsFollowTheRadioButtons() {
    form()->RadioButtonIn->setChecked(true);
    QCOMPARE(form()->SpinStunden->text(), QStringLiteral("0"));
    QCOMPARE(form()->SpinMinuten->text(), QStringLiteral("1"));
    main_->clock.Set(2024, 3, 14, 18, 5, 59, 999);
    form()->RadioButtonUm->setChecked(true);
    QCOMPARE(form()->SpinStunden->text(), QStringLiteral("18"));
    QCOMPARE(form()->SpinMinuten->text(), QStringLiteral("5"));
  }

  void aThrowingTickIsReportedAndTheTimerGoesOn() {
    main_->clock.Set(2024, 3, 14, 25, 0, 0, 0);  // a reading no clock value can hold
    main_->boxes.whileOpen = [this](const ShownBox&) {
      main_->clock.Set(2024, 3, 14, 11, 30, 0, 0);
    };
    form()->Scheduler->Timer1->start(20);
    QTRY_COMPARE_WITH_TIMEOUT(Panel(0), QStringLiteral("11:30:00"), 2000);
    QCOMPARE(main_->boxes.shown().size(), size_t(1));
    QCOMPARE(main_->boxes.shown().front().text, kInvalidTimeBox);
    QCOMPARE(main_->boxes.shown().front().caption, QStringLiteral("Klemvar"));
  }

  void aRepeatThatCannotReArmLeavesTheAlarmOffAndTheWindowShown() {
    form()->CheckBoxEvery->setChecked(true);
    ArmIn(0, 0);
    Type(form()->SpinStunden, "99");  // the user is typing when it fires
    Tick(1'000);
    QCOMPARE(main_->boxes.shown().size(), size_t(1));
    QCOMPARE(main_->boxes.shown().front().text, kInvalidTimeBox);
    QVERIFY(!Schedule().AlarmArmed);
    QVERIFY(!form()->BitBtnAus->isEnabled());
    QVERIFY(form()->isVisible());
    QVERIFY(form()->AlarmWindow);
  }

  // The tick that fires an alarm comes just after its moment, not up to a
  // second later: arming moves the running ticks into the moment's phase.
  void theTickAfterArmingFallsJustAfterTheMoment() {
    main_->clock.Set(2024, 3, 14, 10, 0, 0, 400);
    form()->Scheduler->Timer1->start();  // its next tick would come a second from now
    main_->clock.Set(2024, 3, 14, 10, 0, 0, 700);
    QElapsedTimer sinceArming;
    sinceArming.start();
    ArmIn(0, 0);  // due as soon as a tick reads a later clock
    main_->clock.Advance(kTickAfterMoment);
    QTRY_VERIFY_WITH_TIMEOUT(form()->AlarmWindow, 2000);
    QVERIFY2(sinceArming.elapsed() < 800, qPrintable(QString::number(sinceArming.elapsed())));
    QVERIFY(form()->Scheduler->Timer1->isActive());
  }

  void ticksRunWhileAModalBoxIsOpen() {
    SetMessageBoxService(&QtMessageBoxService());  // the real, modal box
    QString seenWhileOpen;
    form()->Scheduler->Timer1->start(20);
    QTimer::singleShot(0, this, [&] {
      QTRY_VERIFY(QApplication::activeModalWidget());
      main_->clock.Set(2024, 3, 14, 12, 0, 0, 0);
      QTRY_COMPARE(Panel(0), QStringLiteral("12:00:00"));
      seenWhileOpen = Panel(0);
      qobject_cast<QMessageBox*>(QApplication::activeModalWidget())->accept();
    });
    ShowMessageBox(QStringLiteral("Frage"), QStringLiteral("Klemvar"), mb::kOk);
    SetMessageBoxService(&main_->boxes);
    QCOMPARE(seenWhileOpen, QStringLiteral("12:00:00"));
  }
};

KLEMVAR_TEST_MAIN(AlarmTest)
#include "alarm_test.moc"
