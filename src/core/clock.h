#pragma once

// Clock values: a double whose integer part counts days since 30 December 1899
// and whose fraction is the time of day (one millisecond = 1/86,400,000).
// They are compared with the plain floating-point relations, without tolerance,
// so every operation here rounds exactly as one IEEE double operation.

#include <cstdint>
#include <string>

#include "core/timeformat.h"

namespace klemvar {

using TDateTime = double;

inline constexpr std::int64_t kMillisecondsPerDay = 86'400'000;

// Where the program reads its two clocks: the system's, or a test's own,
// handed to whatever reads the time.
//
// The wall clock answers "what time is it here": it can be set, stepped by
// time synchronisation, and read in another zone after a change of zone. The
// elapsed clock answers "how much time has passed": it counts real time,
// suspend included, and never jumps.
class LocalTimeSource {
 public:
  virtual ~LocalTimeSource() = default;
  // Real milliseconds since 1970-01-01 00:00 UTC, as the system clock says now.
  virtual std::int64_t RealNow() const = 0;
  // Milliseconds since some fixed start, through suspend, never stepped.
  virtual std::int64_t ElapsedNow() const = 0;
  // The local wall clock at an instant, in milliseconds since 1970-01-01 00:00
  // local, with the zone as it is now.
  virtual std::int64_t WallClockOf(std::int64_t instant) const = 0;
  // The first instant at which the local wall clock shows wallClock or has
  // passed it (see LookUpLocalTime).
  virtual std::int64_t FirstInstantOf(std::int64_t wallClock) const = 0;
};

// The system's clocks: CLOCK_REALTIME with the local zone, and CLOCK_BOOTTIME.
const LocalTimeSource& SystemLocalTimeSource();

// Composes a time of day in [0, 1). Fails with EConvertError on hours >= 24,
// minutes >= 60, seconds >= 60 or milliseconds >= 1000. Callers with wider
// integers pass the low 16 bits, so -1 arrives as 65,535 and fails.
TDateTime ComposeTime(std::uint16_t hours, std::uint16_t minutes, std::uint16_t seconds,
                      std::uint16_t milliseconds);

// Days from 30 December 1899 to the given Gregorian date. Fails with EConvertError
// on an impossible year, month or day.
TDateTime ComposeDate(std::uint16_t year, std::uint16_t month, std::uint16_t day);

struct SplitClock {
  std::uint16_t hours = 0;
  std::uint16_t minutes = 0;
  std::uint16_t seconds = 0;
  std::uint16_t milliseconds = 0;
};

// The time of day of a value: whole days and the sign are dropped, so x, -x and
// 1 + x split alike. Values too large to count in milliseconds (and NaN) split as 0.
SplitClock SplitTime(TDateTime value);

// [0, 1), millisecond resolution, read anew at each call
TDateTime TimeOfDayNow(const LocalTimeSource& clock);
TDateTime DateToday(const LocalTimeSource& clock);     // a whole number, read anew at each call
TDateTime DateTomorrow(const LocalTimeSource& clock);  // DateToday + 1

// One reading of both clocks. A decision takes everything it needs from one
// reading: two readings around midnight could pair yesterday's date with
// today's time.
struct ClockReading {
  TDateTime timeOfDay = 0.0;  // as TimeOfDayNow
  TDateTime date = 0.0;       // as DateToday
  std::int64_t real = 0;      // the instant, as LocalTimeSource::RealNow
  std::int64_t elapsed = 0;   // as LocalTimeSource::ElapsedNow
};
ClockReading ReadClock(const LocalTimeSource& clock);

// Real milliseconds from a reading until the local wall clock next passes
// the given date and time of day, with the zone as it is now: in a repeated
// hour, the second pass where the first is over; negative once it has passed
// for good.
std::int64_t RealTimeUntil(const LocalTimeSource& clock, const ClockReading& now, TDateTime date,
                           TDateTime timeOfDay);

// The time of day of a value, written in the given settings.
std::string TimeText(const FormatSettings& settings, TDateTime value);

// A span of time in whole seconds (the part of a second dropped, a negative
// span as zero), written in the given settings as a countdown: hours from 0
// up, with no morning or afternoon designator.
std::string SpanText(const FormatSettings& settings, std::int64_t milliseconds);

}  // namespace klemvar
