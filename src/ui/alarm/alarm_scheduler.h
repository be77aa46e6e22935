#pragma once

// The program's one alarm schedule and the tick that tests it. The windows ask
// it to arm, to switch off and whether the alarm is due; it reports each tick.

#include <QObject>
#include <functional>
#include <string>

#include "core/alarm_schedule.h"

class QTimer;

namespace klemvar {

class TAlarmScheduler : public QObject {
  Q_OBJECT
 public:
  explicit TAlarmScheduler(QObject* parent = nullptr);

  // Ticks once a second, each tick a whole second after the last, so that the
  // ticks keep the phase they are given when an alarm is armed.
  QTimer* Timer1 = nullptr;

  const AlarmSchedule& Schedule() const { return schedule_; }

  // Arms from one reading (see AlarmSchedule::Arm) and moves the ticks into
  // the alarm's phase. The sound layer is loaded once a ring may come, so that
  // it starts promptly.
  void Arm(AlarmMode mode, std::int32_t hours, std::int32_t minutes, std::string text);
  // Runs arm, a call of Arm, as the repeat of the alarm that just fired.
  void Repeat(const std::function<void()>& arm);
  void Disarm() { schedule_.Disarm(); }
  bool FireIfDue(const ClockReading& now) { return schedule_.FireIfDue(now); }

  void SetRingEnabled(bool enabled);
  void SetAlarmCloseSeconds(std::int32_t seconds) { schedule_.AlarmCloseSeconds = seconds; }

  // For the alarm windows, read from the clocks now.
  void OpenAlarmWindow() { schedule_.OpenAlarmWindow(ReadClock()); }
  bool AlarmWindowsClose() const { return schedule_.AlarmWindowsClose(ReadClock()); }

 signals:
  // Timer1 ticked, or the first tick in a new phase came.
  void ticked();

 private:
  void PhaseTicksAfter(TDateTime moment, TDateTime timeOfDay);

  AlarmSchedule schedule_;
  // Waits, once per arming, for the first tick in the alarm's phase (Timer1
  // stopped meanwhile); from there Timer1 ticks once a second again.
  QTimer* tickPhase_ = nullptr;
  // True while a repeat is armed by the tick that fired the alarm.
  bool rearming_ = false;
};

}  // namespace klemvar
