// The alarm schedule's handlers: arming, the tick with its firing, switching
// off, and the field rules. The rules themselves live in the core.

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/clock.h"
#include "ui/alarm/alarm_scheduler.h"
#include "ui/aufwachen/alarm_window_session.h"
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
  Scheduler->Arm(mode, SpinStunden->value(), SpinMinuten->value(),
                 EditAlarmTxt->text().toStdString());
  BitBtnAus->setEnabled(true);
  // Without a tray icon a hidden window could not be reached, nor the alarm
  // switched off, until it fires: it stays in view.
  if (TrayIconShown()) hide();
}

// One reading serves the due test, the clock and the countdown of a tick.
void TFormKlemvar::Timer1Timer() {
  const ClockReading now = Scheduler->Now();
  if (Scheduler->FireIfDue(now)) FireAlarm();
  const FormatSettings& format = RegionalSettings();
  StatusBar->SetPanelText(0, Text(TimeText(format, now.timeOfDay)));
  if (Scheduler->Schedule().AlarmArmed)
    StatusBar->SetPanelText(1, Text(SpanText(format, Scheduler->Countdown(now))));
}

void TFormKlemvar::FireAlarm() {
  BringBack();
  const AlarmSchedule& schedule = Scheduler->Schedule();
  if (schedule.RingEnabled) StartRing();
  // Owned by the application; earlier alarm windows stay open.
  AlarmWindow = new TFormWeckdienst(Text(schedule.AlarmText), Scheduler);
  AlarmWindow->show();
  AnnounceAlarm(AlarmWindow, Text(schedule.AlarmText));
  BitBtnAus->setEnabled(false);
  // The arming handler itself, not a click through Qt: an error in it abandons
  // this tick as well and is reported once, by the tick's own boundary.
  if (CheckBoxEvery->isChecked()) Scheduler->Repeat([this] { ButtonWeckerStellenClick(); });
}

void TFormKlemvar::BitBtnAusClick() {
  Scheduler->Disarm();
  BitBtnAus->setEnabled(false);
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
  const bool wasZero = Scheduler->Schedule().AlarmCloseSeconds == 0;
  if (SpinEditAlarmClose->value() == -1 && wasZero) SpinEditAlarmClose->setValue(59);
  if (SpinEditAlarmClose->value() == 60) SpinEditAlarmClose->setValue(0);
  Scheduler->SetAlarmCloseSeconds(SpinEditAlarmClose->value());
}

void TFormKlemvar::SpinEditAlarmCloseExit() {
  // The change handler takes the written value over.
  const std::int32_t typed = Scheduler->Schedule().AlarmCloseSeconds;
  if (typed > 59 || typed < 0) SpinEditAlarmClose->setValue(typed > 59 ? 59 : 0);
}

void TFormKlemvar::RadioButtonUmClick() {
  const SplitClock now = SplitTime(TimeOfDayNow(Scheduler->Clock()));
  SpinMinuten->setValue(now.minutes);
  SpinStunden->setValue(now.hours);
}

void TFormKlemvar::RadioButtonInClick() {
  SpinMinuten->setValue(1);
  SpinStunden->setValue(0);
}

void TFormKlemvar::CheckBoxTonClick() { Scheduler->SetRingEnabled(CheckBoxTon->isChecked()); }

}  // namespace klemvar
