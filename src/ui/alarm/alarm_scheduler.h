#pragma once

// The program's one alarm schedule, the clock it is read on and the tick that
// tests it: the windows ask it to arm and switch off and whether a tick finds
// the alarm due.

#include <QObject>
#include <QScopedValueRollback>

#include "core/alarmcore.h"

class QTimer;

namespace klemvar {

class TAlarmScheduler : public QObject {
  Q_OBJECT
 public:
  explicit TAlarmScheduler(const LocalTimeSource& clock, QObject* parent = nullptr);

  // Once a second, each tick a whole second after the last: the phase arming gives stays.
  QTimer* Timer1 = nullptr;

  const AlarmSchedule& Schedule() const { return schedule_; }
  const LocalTimeSource& Clock() const { return clock_; }
  ClockReading Now() const { return ReadClock(clock_); }
  std::int64_t Countdown(const ClockReading& now) const {
    return CountdownValue(schedule_, clock_, now);
  }

  // Arms from one reading and phases the ticks after the alarm's moment. The sound
  // layer is loaded once a ring may come, so that it starts promptly.
  void Arm(AlarmMode mode, std::int32_t hours, std::int32_t minutes, std::string text);
  // Runs arm, which arms, as the repeat of the alarm that just fired.
  template <class Arming>
  void Repeat(Arming arm) {
    const QScopedValueRollback<bool> rearming(rearming_, true);
    arm();
  }
  void Disarm() { schedule_.Disarm(); }
  bool FireIfDue(const ClockReading& now) { return schedule_.FireIfDue(now); }
  void SetRingEnabled(bool enabled);
  void SetAlarmCloseSeconds(std::int32_t seconds) { schedule_.AlarmCloseSeconds = seconds; }
  // A new alarm window's close moment, AlarmCloseSeconds from now.
  void OpenAlarmWindow() { schedule_.AlarmClose.Set(schedule_.AlarmCloseSeconds, Now()); }

 signals:
  void ticked();

 private:
  const LocalTimeSource& clock_;
  AlarmSchedule schedule_;
  // Once per arming, the first tick in the alarm's phase; Timer1 waits meanwhile.
  QTimer* tickPhase_ = nullptr;
  bool rearming_ = false;  // while the tick that fired arms the repeat
};

}  // namespace klemvar
