#pragma once

// Clock values: a double whose integer part counts days since 30 December 1899
// and whose fraction is the time of day (one millisecond = 1/86,400,000).
// They are compared with the plain floating-point relations, without tolerance,
// so every operation here rounds exactly as one IEEE double operation.

#include <cstdint>
#include <string>

namespace klemvar {

using TDateTime = double;

inline constexpr std::int64_t kMillisecondsPerDay = 86'400'000;

// One reading of the local wall clock, shaped like the Windows local-time record.
struct LocalTimeReading {
  std::uint16_t wYear = 1899;
  std::uint16_t wMonth = 12;
  std::uint16_t wDay = 30;
  std::uint16_t wHour = 0;
  std::uint16_t wMinute = 0;
  std::uint16_t wSecond = 0;
  std::uint16_t wMilliseconds = 0;
};

// Where TimeOfDayNow and DateToday read the wall clock. Tests install their own.
class LocalTimeSource {
 public:
  virtual ~LocalTimeSource() = default;
  virtual LocalTimeReading Now() const = 0;
};

// The system's local time (std::chrono with the process's time zone).
const LocalTimeSource& SystemLocalTimeSource();

// Installs the source every later clock reading uses; nullptr restores the system clock.
// Returns the previous one. Not thread-safe: the clock is read on the GUI thread only.
const LocalTimeSource* SetLocalTimeSource(const LocalTimeSource* source);

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

TDateTime TimeOfDayNow();  // [0, 1), millisecond resolution, read anew at each call
TDateTime DateToday();     // a whole number, read anew at each call
TDateTime DateTomorrow();  // DateToday() + 1

// The time of day and the date of one reading of the local clock. A decision
// that needs both takes them from one reading: two readings around midnight
// could pair yesterday's date with today's time.
struct ClockReading {
  TDateTime timeOfDay = 0.0;  // as TimeOfDayNow
  TDateTime date = 0.0;       // as DateToday
};
ClockReading ReadClock();

// The time of day of a value, written in the current time format settings.
std::string TimeText(TDateTime value);

}  // namespace klemvar
