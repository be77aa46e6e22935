#pragma once

// The alarm's state as one value: whether and for when it is armed, what its
// window says, and when its windows close. The program holds one, written only
// by its alarm scheduler (src/ui/alarm/); every step takes one clock reading.

#include <cstdint>
#include <string>

#include "core/alarmcore.h"
#include "core/close_moment.h"

namespace klemvar {

struct AlarmSchedule {
  bool AlarmArmed = false;
  TDateTime AlarmTime = 0.0;  // a time of day in [0, 1) once armed
  TDateTime AlarmDate = 0.0;  // a whole day: the day of arming or the day after
  // How the pending alarm was armed, and so which clock decides when it rings:
  // an interval is real time on the elapsed clock, a clock time is the wall clock.
  AlarmMode AlarmArmedMode = AlarmMode::Um;
  // Mode "in": the elapsed-clock reading after which the alarm falls due.
  std::int64_t AlarmElapsedDue = 0;
  bool RingEnabled = false;
  std::int32_t AlarmCloseSeconds = 0;
  std::string AlarmText;  // captured at arming
  // Set by the newest alarm window; every open window closes by it.
  AlarmCloseMoment AlarmClose;

  // Arms as ArmAlarm says; an error leaves everything as it was.
  void Arm(AlarmMode mode, std::int32_t hours, std::int32_t minutes, std::string text,
           const ClockReading& now);
  // Switched off by hand: the alarm time goes back to midnight as well.
  void Disarm();
  // True once, at the reading that finds the alarm due, which disarms it.
  bool FireIfDue(const ClockReading& now);

  // A new alarm window's close moment, AlarmCloseSeconds after the reading.
  void OpenAlarmWindow(const ClockReading& now) { AlarmClose.Set(AlarmCloseSeconds, now); }
  // Open alarm windows close while AlarmCloseSeconds, read at each tick, is
  // above 0 and the newest window's moment has passed.
  bool AlarmWindowsClose(const ClockReading& now) const;
};

// True when the alarm is armed and its moment has passed: for an interval once
// its real time has passed; for a clock time a later day than AlarmDate, or
// AlarmDate itself with a time of day strictly after AlarmTime. A later day
// counts even when its time of day is earlier, so an alarm whose moment was
// slept through (or fell after the day's last tick) fires at the first tick
// that notices, not a day later.
bool AlarmDue(const AlarmSchedule& schedule, const ClockReading& now);

// The real milliseconds left until the pending alarm rings: on the elapsed clock
// for an interval, and for a clock time until the wall clock, in the zone as it
// is now, first passes it. Zero or less once it is due.
std::int64_t CountdownValue(const AlarmSchedule& schedule, const ClockReading& now);

}  // namespace klemvar
