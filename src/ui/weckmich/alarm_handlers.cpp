// The alarm schedule's handlers: arming, the tick with its firing, switching
// off, and the field rules. The rules themselves live in the core.

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTimer>

#include "core/alarmcore.h"
#include "core/clock.h"
#include "platform/sound/looping_sound.h"
#include "ui/aufwachen/alarm_notification.h"
#include "ui/aufwachen/aufwachen.h"
#include "ui/frame/application.h"
#include "ui/weckmich/weckmich.h"
#include "ui/widgets/spin_edit.h"
#include "ui/widgets/status_bar.h"

namespace klemvar {
namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

void TFormKlemvar::ButtonWeckerStellenClick() {
  const AlarmMode mode = RadioButtonIn->isChecked() ? AlarmMode::In : AlarmMode::Um;
  const ClockReading now = ReadClock();
  const AlarmMoment moment = ArmAlarm(mode, SpinStunden->value(), SpinMinuten->value(), now);
  AlarmTime = moment.time;
  AlarmDate = moment.date;
  AlarmElapsedDue = moment.elapsedDue;
  AlarmArmedMode = mode;
  AlarmText = EditAlarmTxt->text().toStdString();
  AlarmArmed = true;
  PhaseTicksAfter(AlarmTime, now.timeOfDay);
  BitBtnAus->setEnabled(true);
  // The sound layer is loaded once a ring may come, so that it starts promptly.
  if (RingEnabled) PrepareLoopingSound();
  // Without a tray icon a hidden window could not be reached, nor the alarm
  // switched off, until it fires: it stays in view.
  if (TrayIconShown()) hide();
}

// One reading serves the due test, the clock and the countdown of a tick.
void TFormKlemvar::Timer1Timer() {
  const ClockReading now = ReadClock();
  if (AlarmDue(now)) FireAlarm();
  const FormatSettings& format = RegionalSettings();
  StatusBar->SetPanelText(0, Text(TimeText(format, now.timeOfDay)));
  if (AlarmArmed) StatusBar->SetPanelText(1, Text(SpanText(format, CountdownValue(now))));
}

// A tick finds the alarm due only once its moment has passed: phased to fall
// just after the moment within its second, the tick that fires it follows the
// moment by milliseconds instead of by up to a second. Ticks that someone else
// drives (Timer1 stopped, as in tests) are left alone.
void TFormKlemvar::PhaseTicksAfter(TDateTime moment, TDateTime timeOfDay) {
  if (!Timer1->isActive() && !tickPhase_->isActive()) return;
  Timer1->stop();
  tickPhase_->start(TickPhaseDelay(timeOfDay, moment, rearming_ ? 1000 : 0));
}

void TFormKlemvar::FireAlarm() {
  BringBack();
  AlarmArmed = false;
  if (RingEnabled) StartRing();
  // Owned by the application; earlier alarm windows stay open.
  AlarmWindow = new TFormWeckdienst(nullptr);
  AlarmWindow->show();
  AnnounceAlarm(AlarmWindow, QString::fromStdString(AlarmText));
  BitBtnAus->setEnabled(false);
  // The arming handler itself, not a click through Qt: an error in it abandons
  // this tick as well and is reported once, by the tick's own boundary.
  if (CheckBoxEvery->isChecked()) {
    const QScopedValueRollback<bool> rearming(rearming_, true);
    ButtonWeckerStellenClick();
  }
}

void TFormKlemvar::BitBtnAusClick() {
  AlarmArmed = false;
  BitBtnAus->setEnabled(false);
  AlarmTime = 0.0;
  StatusBar->SetPanelText(1, Text(SpanText(RegionalSettings(), 0)));
}

// Each rule re-reads the field before each test; its writes raise the change
// event again, and the nested run finds nothing more to do.
void TFormKlemvar::SpinStundenChange() {
  if (SpinStunden->value() == 24) SpinStunden->setValue(0);
  if (SpinStunden->value() == -1) SpinStunden->setValue(23);
}

void TFormKlemvar::SpinMinutenChange() {
  if (SpinMinuten->value() == 60) SpinMinuten->setValue(0);
  if (SpinMinuten->value() == -1) SpinMinuten->setValue(59);
}

void TFormKlemvar::SpinEditAlarmCloseChange() {
  if (SpinEditAlarmClose->value() == -1 && AlarmCloseSeconds == 0) SpinEditAlarmClose->setValue(59);
  if (SpinEditAlarmClose->value() == 60) SpinEditAlarmClose->setValue(0);
  AlarmCloseSeconds = SpinEditAlarmClose->value();
}

void TFormKlemvar::SpinEditAlarmCloseExit() {
  if (AlarmCloseSeconds > 59) {
    AlarmCloseSeconds = 59;
    SpinEditAlarmClose->setValue(59);
  }
  if (AlarmCloseSeconds < 0) {
    AlarmCloseSeconds = 0;
    SpinEditAlarmClose->setValue(0);
  }
}

void TFormKlemvar::RadioButtonUmClick() {
  const SplitClock now = SplitTime(TimeOfDayNow());
  SpinMinuten->setValue(now.minutes);
  SpinStunden->setValue(now.hours);
}

void TFormKlemvar::RadioButtonInClick() {
  SpinMinuten->setValue(1);
  SpinStunden->setValue(0);
}

void TFormKlemvar::CheckBoxTonClick() {
  RingEnabled = CheckBoxTon->isChecked();
  if (RingEnabled && AlarmArmed) PrepareLoopingSound();
}

}  // namespace klemvar
