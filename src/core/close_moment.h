#pragma once

// When open alarm windows close by themselves. Closing after so many seconds
// is a span, counted on the elapsed clock, so that neither a clock step nor the
// night the clocks go back holds a window open. AlarmCloseAt and AlarmCloseDate
// keep the same moment on the wall clock: the time of day, not wrapped at
// midnight, and the day it counts from.

#include <cstdint>

#include "core/clock.h"

namespace klemvar {

struct AlarmCloseMoment {
  TDateTime AlarmCloseAt = 0.0;
  TDateTime AlarmCloseDate = 0.0;
  // The elapsed-clock reading after which the moment has passed.
  std::int64_t AlarmCloseElapsed = 0;

  // Moves the moment to `seconds` after the reading. Fails with EConvertError
  // when seconds is outside 0..59 once cut to its low 16 bits; the moment then
  // keeps its previous value.
  void Set(std::int32_t seconds, const ClockReading& now);

  // True when the reading lies strictly after the moment.
  bool Passed(const ClockReading& now) const { return now.elapsed > AlarmCloseElapsed; }
};

}  // namespace klemvar
