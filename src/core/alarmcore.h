#pragma once

// The process-wide alarm state and the window-free alarm rules. The rules take
// the clock readings as inputs so they can be tested without a wall clock.

#include <cstdint>
#include <string>

#include "core/clock.h"

namespace klemvar {

// Process-wide state, in memory only, zero or empty at start.
extern bool AlarmArmed;
extern TDateTime AlarmTime;  // a time of day in [0, 1) once armed
extern TDateTime AlarmDate;  // a whole day: the day of arming or the day after
extern bool RingEnabled;
extern std::int32_t AlarmCloseSeconds;
extern std::string AlarmText;
extern std::string ProgramFolder;  // the executable's folder, with a trailing separator
extern TDateTime AlarmCloseAt;

enum class AlarmMode { Um, In };  // "um": at a clock time; "in": after an interval

// How the pending alarm was armed, and so which clock decides when it rings:
// an interval is real time on the elapsed clock, a clock time is the wall clock.
extern AlarmMode AlarmArmedMode;
// Mode "in": the elapsed-clock reading after which the alarm falls due.
extern std::int64_t AlarmElapsedDue;

struct AlarmMoment {
  TDateTime time = 0.0;
  TDateTime date = 0.0;
  std::int64_t elapsedDue = 0;  // mode "in" only: see AlarmElapsedDue
};

// The moment an alarm armed now falls due. hours and minutes are passed as their
// low 16 bits, so out-of-range values fail with EConvertError before anything changes.
AlarmMoment ArmAlarm(AlarmMode mode, std::int32_t hours, std::int32_t minutes, TDateTime timeOfDay,
                     TDateTime today);

// The same from one reading of both clocks, with the elapsed-clock deadline of
// an interval as well.
AlarmMoment ArmAlarm(AlarmMode mode, std::int32_t hours, std::int32_t minutes,
                     const ClockReading& now);

// True when the alarm is armed and its moment has passed: a later day than
// AlarmDate, or AlarmDate itself with a time of day strictly after AlarmTime.
// A later day counts even when its time of day is earlier, so an alarm whose
// moment was slept through (or fell after the day's last tick) fires at the
// first tick that notices, not a day later.
bool AlarmDue(TDateTime timeOfDay, TDateTime today);

// The tick's due test for the pending alarm, by the clock its mode names: an
// interval once its real time has passed, a clock time by the wall clock as above.
bool AlarmDue(const ClockReading& now);

// The real milliseconds left until the pending alarm rings: on the elapsed clock
// for an interval, and for a clock time until the wall clock, in the zone as it
// is now, first passes it. Zero or less once it is due.
std::int64_t CountdownValue(const ClockReading& now);

// How long the one-second tick waits, from timeOfDay, for its first tick in a
// phase where every tick falls kTickAfterMoment milliseconds after the moment's
// place within its second, and at least atLeast milliseconds. The tick that
// finds an alarm due then follows its moment by those milliseconds, not by up
// to a second. A repeat armed by the tick that fired passes 1,000, so that the
// tick keeps its pace of one a second: an interval of 0 would otherwise fire
// again at once.
inline constexpr int kTickAfterMoment = 10;
int TickPhaseDelay(TDateTime timeOfDay, TDateTime moment, int atLeast = 0);

}  // namespace klemvar
