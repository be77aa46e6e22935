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

struct AlarmMoment {
  TDateTime time = 0.0;
  TDateTime date = 0.0;
};

// The moment an alarm armed now falls due. hours and minutes are passed as their
// low 16 bits, so out-of-range values fail with EConvertError before anything changes.
AlarmMoment ArmAlarm(AlarmMode mode, std::int32_t hours, std::int32_t minutes, TDateTime timeOfDay,
                     TDateTime today);

// True when the alarm is armed and its moment has passed: a later day than
// AlarmDate, or AlarmDate itself with a time of day strictly after AlarmTime.
// A later day counts even when its time of day is earlier, so an alarm whose
// moment was slept through (or fell after the day's last tick) fires at the
// first tick that notices, not a day later.
bool AlarmDue(TDateTime timeOfDay, TDateTime today);

// Zero or negative while the alarm is pending: its magnitude is the time left.
TDateTime CountdownValue(TDateTime timeOfDay, TDateTime today);

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
