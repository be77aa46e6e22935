// The alarm schedule's handlers: arming, the tick with its firing, switching
// off, and the field rules. The rules themselves live in the core.

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/alarmcore.h"
#include "core/clock.h"
#include "ui/aufwachen/alarm_notification.h"
#include "ui/aufwachen/aufwachen.h"
#include "ui/weckmich/weckmich.h"
#include "ui/widgets/spin_edit.h"
#include "ui/widgets/status_bar.h"

namespace klemvar {
namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

void TFormKlemvar::ButtonWeckerStellenClick() {
  const AlarmMode mode = RadioButtonIn->isChecked() ? AlarmMode::In : AlarmMode::Um;
  const AlarmMoment moment =
      ArmAlarm(mode, SpinStunden->value(), SpinMinuten->value(), TimeOfDayNow(), DateToday());
  AlarmTime = moment.time;
  AlarmDate = moment.date;
  AlarmText = EditAlarmTxt->text().toStdString();
  AlarmArmed = true;
  BitBtnAus->setEnabled(true);
  // Without a tray icon a hidden window could not be reached, nor the alarm
  // switched off, until it fires: it stays in view.
  if (TrayIconShown()) hide();
}

void TFormKlemvar::Timer1Timer() {
  if (AlarmDue(TimeOfDayNow(), DateToday())) FireAlarm();
  StatusBar->SetPanelText(0, Text(TimeText(TimeOfDayNow())));
  if (AlarmArmed)
    StatusBar->SetPanelText(1, Text(TimeText(CountdownValue(TimeOfDayNow(), DateToday()))));
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
  if (CheckBoxEvery->isChecked()) ButtonWeckerStellen->click();
}

void TFormKlemvar::BitBtnAusClick() {
  AlarmArmed = false;
  BitBtnAus->setEnabled(false);
  AlarmTime = 0.0;
  StatusBar->SetPanelText(1, Text(TimeText(0.0)));
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

void TFormKlemvar::CheckBoxTonClick() { RingEnabled = CheckBoxTon->isChecked(); }

}  // namespace klemvar
