#pragma once

// When open alarm windows close by themselves. AlarmCloseAt (alarmcore.h) holds
// the close time of day, not wrapped at midnight; AlarmCloseDate holds the day
// it counts from. Together they make one full moment, so a window opened
// shortly before midnight still closes on time after it.

#include <cstdint>

#include "core/clock.h"

namespace klemvar {

// The day AlarmCloseAt counts from: the opening day of the newest alarm window.
extern TDateTime AlarmCloseDate;

// Sets the shared close moment to timeOfDay on today plus seconds. Fails with
// EConvertError when seconds is outside 0..59 once cut to its low 16 bits; both
// values then keep their previous contents.
void SetAlarmCloseMoment(std::int32_t seconds, TDateTime timeOfDay, TDateTime today);

// True when timeOfDay on today lies strictly after the shared close moment.
bool AlarmCloseMomentPassed(TDateTime timeOfDay, TDateTime today);

// The same, from one reading of the wall clock.
void SetAlarmCloseMoment(std::int32_t seconds);
bool AlarmCloseMomentPassed();

}  // namespace klemvar
