#pragma once

// When open alarm windows close by themselves. AlarmCloseAt (core) holds the
// close time of day, not wrapped at midnight; AlarmCloseDate holds the day it
// counts from. Together they make one full moment, so a window opened shortly
// before midnight still closes on time after it.

#include "core/clock.h"

namespace klemvar {

// The day AlarmCloseAt counts from: the opening day of the newest alarm window.
extern TDateTime AlarmCloseDate;

// Sets the shared close moment to now plus seconds. Fails with EConvertError when
// seconds is outside 0..59 once cut to its low 16 bits; both values then keep
// their previous contents.
void SetAlarmCloseMoment(std::int32_t seconds);

// True when now lies strictly after the shared close moment.
bool AlarmCloseMomentPassed();

}  // namespace klemvar
