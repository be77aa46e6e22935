#pragma once

// The alarm's state as one value and its window-free rules. The rules take the
// clock readings as inputs so they can be tested without a wall clock.

#include <cstdint>
#include <string>

#include "core/clock.h"

namespace klemvar {

enum class AlarmMode { Um, In };  // "um": at a clock time; "in": after an interval

struct AlarmMoment {
  TDateTime time = 0.0;
  TDateTime date = 0.0;
  std::int64_t elapsedDue = 0;  // mode "in" only: see AlarmElapsedDue
};

// The moment an alarm armed at the reading falls due. hours and minutes are passed as their
// low 16 bits, so out-of-range values fail with EConvertError before anything changes.
AlarmMoment ArmAlarm(AlarmMode mode, std::int32_t hours, std::int32_t minutes,
                     const ClockReading& now);

// How long the one-second tick waits, from timeOfDay, for its first tick in a
// phase where every tick falls kTickAfterMoment milliseconds after the moment's
// place within its second, and at least atLeast milliseconds. The tick that
// finds an alarm due then follows its moment by those milliseconds, not by up
// to a second. A repeat armed by the tick that fired passes 1,000, so that the
// tick keeps its pace of one a second: an interval of 0 would otherwise fire
// again at once.
inline constexpr int kTickAfterMoment = 10;
int TickPhaseDelay(TDateTime timeOfDay, TDateTime moment, int atLeast = 0);

// Alarm windows close after so many seconds, counted on the elapsed clock so that
// no clock step holds one open. AlarmCloseAt and AlarmCloseDate keep the moment on
// the wall clock: the time of day, not wrapped at midnight, and its day.
struct AlarmCloseMoment {
  TDateTime AlarmCloseAt = 0.0;
  TDateTime AlarmCloseDate = 0.0;
  std::int64_t AlarmCloseElapsed = 0;  // the elapsed-clock reading it passes after
  // Moves the moment to `seconds` after the reading. Fails with EConvertError
  // when seconds is outside 0..59 once cut to its low 16 bits, keeping the moment.
  void Set(std::int32_t seconds, const ClockReading& now);
  bool Passed(const ClockReading& now) const { return now.elapsed > AlarmCloseElapsed; }
};

// The program holds one, written only by its scheduler (src/ui/alarm/).
struct AlarmSchedule {
  bool AlarmArmed = false;
  TDateTime AlarmTime = 0.0;                 // a time of day in [0, 1) once armed
  TDateTime AlarmDate = 0.0;                 // a whole day: the day of arming or the day after
  AlarmMode AlarmArmedMode = AlarmMode::Um;  // which clock decides: see AlarmDue
  std::int64_t AlarmElapsedDue = 0;  // mode "in": the elapsed-clock reading it falls due after
  bool RingEnabled = false;
  std::int32_t AlarmCloseSeconds = 0;
  std::string AlarmText;        // captured at arming
  AlarmCloseMoment AlarmClose;  // the newest alarm window's: every open window follows it

  // As ArmAlarm; an error leaves everything as it was.
  void Arm(AlarmMode mode, std::int32_t hours, std::int32_t minutes, std::string text,
           const ClockReading& now);
  // By hand: the time goes to midnight.
  void Disarm() {
    AlarmArmed = false;
    AlarmTime = 0.0;
  }
  // True once: it disarms.
  bool FireIfDue(const ClockReading& now);
  // Open alarm windows close while AlarmCloseSeconds, read at each tick, is above 0.
  // The clock is read only then: every open window asks once a second.
  bool AlarmWindowsClose(const LocalTimeSource& clock) const {
    return AlarmCloseSeconds > 0 && AlarmClose.Passed(ReadClock(clock));
  }
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
std::int64_t CountdownValue(const AlarmSchedule& schedule, const LocalTimeSource& clock,
                            const ClockReading& now);

}  // namespace klemvar
