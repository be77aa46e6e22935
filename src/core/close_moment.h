#pragma once

// When open alarm windows close by themselves. Closing after so many seconds
// is a span, counted on the elapsed clock, so that neither a clock step nor the
// night the clocks go back holds a window open. AlarmCloseAt (alarmcore.h) and
// AlarmCloseDate keep the close moment on the wall clock: the time of day, not
// wrapped at midnight, and the day it counts from.

#include <cstdint>

#include "core/clock.h"

namespace klemvar {

// The day AlarmCloseAt counts from: the opening day of the newest alarm window.
extern TDateTime AlarmCloseDate;
// The elapsed-clock reading after which the newest alarm window closes.
extern std::int64_t AlarmCloseElapsed;

// Sets the shared close moment to `seconds` after the reading. Fails with
// EConvertError when seconds is outside 0..59 once cut to its low 16 bits; the
// moment then keeps its previous value.
void SetAlarmCloseMoment(std::int32_t seconds, const ClockReading& now);

// True when the reading lies strictly after the shared close moment.
bool AlarmCloseMomentPassed(const ClockReading& now);

// The same, read from the clocks now.
void SetAlarmCloseMoment(std::int32_t seconds);
bool AlarmCloseMomentPassed();

}  // namespace klemvar
