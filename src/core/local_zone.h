#pragma once

// The local time zone as it is now: the wall clock of an instant, and the
// instant of a wall-clock time. Instants count real milliseconds since
// 1970-01-01 00:00 UTC; wall-clock times count milliseconds since 1970-01-01
// 00:00 on the local clock, as if the zone's offset were the same all year.
//
// The zone is looked up anew at each reading of the wall clock, so that a
// change of the system's zone (/etc/localtime) reaches the next reading; a
// lookup of a wall-clock time uses the zone as the last reading found it. A
// TZ variable in the environment names the zone instead.

#include <cstdint>

namespace klemvar {

// The local wall clock at an instant.
std::int64_t LocalWallClockOf(std::int64_t instant);

// How a wall-clock time maps to instants. On the night the clocks go forward
// the skipped times have none; on the night they go back the repeated times
// have two.
struct LocalTimeLookup {
  enum Kind { kUnique, kSkipped, kRepeated };
  Kind kind = kUnique;
  // The first instant at which the local clock shows the time or has passed
  // it: the only instant, the earlier of two, or the end of the gap.
  std::int64_t first = 0;
};
LocalTimeLookup LookUpLocalTime(std::int64_t wallClock);

}  // namespace klemvar
