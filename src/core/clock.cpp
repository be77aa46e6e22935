#include "core/clock.h"

#include <cmath>
#include <ctime>

#include "core/convert_error.h"
#include "core/local_zone.h"

namespace klemvar {
namespace {

std::int64_t Milliseconds(const timespec& time) {
  return static_cast<std::int64_t>(time.tv_sec) * 1000 + time.tv_nsec / 1'000'000;
}

class SystemClock final : public LocalTimeSource {
 public:
  std::int64_t RealNow() const override {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return Milliseconds(now);
  }
  std::int64_t ElapsedNow() const override {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return Milliseconds(now);
  }
  std::int64_t WallClockOf(std::int64_t instant) const override {
    return LocalWallClockOf(instant);
  }
  std::int64_t FirstInstantOf(std::int64_t wallClock) const override {
    return LookUpLocalTime(wallClock).first;
  }
};

bool IsLeapYear(unsigned year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// Days from 1 January of year 1 to 30 December 1899.
constexpr std::int64_t kDaysBeforeEpoch = 693'594;

}  // namespace

const LocalTimeSource& SystemLocalTimeSource() {
  static const SystemClock clock;
  return clock;
}

TDateTime ComposeTime(std::uint16_t hours, std::uint16_t minutes, std::uint16_t seconds,
                      std::uint16_t milliseconds) {
  if (hours >= 24 || minutes >= 60 || seconds >= 60 || milliseconds >= 1000) {
    throw EConvertError(kInvalidTimeMessage);
  }
  const std::int64_t count = std::int64_t{hours} * 3'600'000 + std::int64_t{minutes} * 60'000 +
                             std::int64_t{seconds} * 1'000 + milliseconds;
  return static_cast<double>(count) / static_cast<double>(kMillisecondsPerDay);
}

TDateTime ComposeDate(std::uint16_t year, std::uint16_t month, std::uint16_t day) {
  static constexpr unsigned kDaysInMonth[2][12] = {
      {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
      {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};
  const unsigned leap = IsLeapYear(year) ? 1 : 0;
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > kDaysInMonth[leap][month - 1]) {
    throw EConvertError(kInvalidDateMessage);
  }
  std::int64_t dayOfYear = day;
  for (unsigned m = 1; m < month; ++m) dayOfYear += kDaysInMonth[leap][m - 1];
  const std::int64_t y = year - 1;
  const std::int64_t days = y * 365 + y / 4 - y / 100 + y / 400 + dayOfYear;
  return static_cast<double>(days - kDaysBeforeEpoch);
}

SplitClock SplitTime(TDateTime value) {
  // Rounds to the nearest millisecond, ties to even (the default rounding mode).
  const double count = std::nearbyint(value * static_cast<double>(kMillisecondsPerDay));
  if (!std::isfinite(count)) return {};
  // fmod is exact, so this equals the integer remainder for every finite count.
  const auto t = static_cast<std::int64_t>(
      std::fmod(std::fabs(count), static_cast<double>(kMillisecondsPerDay)));
  SplitClock split;
  split.hours = static_cast<std::uint16_t>(t / 3'600'000);
  split.minutes = static_cast<std::uint16_t>(t / 60'000 % 60);
  split.seconds = static_cast<std::uint16_t>(t % 60'000 / 1'000);
  split.milliseconds = static_cast<std::uint16_t>(t % 1'000);
  return split;
}

namespace {

// 1 January 1970 in days since 30 December 1899.
constexpr std::int64_t kUnixEpochDay = 25'569;

std::int64_t FloorDiv(std::int64_t value, std::int64_t divisor) {
  const std::int64_t quotient = value / divisor;
  return quotient * divisor > value ? quotient - 1 : quotient;
}

std::int64_t WallClockAt(TDateTime date, TDateTime timeOfDay) {
  const auto day = static_cast<std::int64_t>(date) - kUnixEpochDay;
  const auto ms = static_cast<std::int64_t>(
      std::nearbyint(timeOfDay * static_cast<double>(kMillisecondsPerDay)));
  return day * kMillisecondsPerDay + ms;
}

}  // namespace

ClockReading ReadClock(const LocalTimeSource& clock) {
  ClockReading reading;
  reading.real = clock.RealNow();
  reading.elapsed = clock.ElapsedNow();
  const std::int64_t wallClock = clock.WallClockOf(reading.real);
  const std::int64_t day = FloorDiv(wallClock, kMillisecondsPerDay);
  const std::int64_t ms = wallClock - day * kMillisecondsPerDay;
  reading.date = static_cast<double>(day + kUnixEpochDay);
  reading.timeOfDay = static_cast<double>(ms) / static_cast<double>(kMillisecondsPerDay);
  return reading;
}

std::int64_t RealTimeUntil(const LocalTimeSource& clock, const ClockReading& now, TDateTime date,
                           TDateTime timeOfDay) {
  const std::int64_t wallClock = WallClockAt(date, timeOfDay);
  const std::int64_t untilFirst = clock.FirstInstantOf(wallClock) - now.real;
  if (untilFirst >= 0) return untilFirst;
  // On the night the clocks go back, a time in the repeated hour that the
  // first pass has left behind still lies ahead on the second pass: the clock
  // reaches it at the offset now in force.
  const std::int64_t onTheWall = wallClock - WallClockAt(now.date, now.timeOfDay);
  return onTheWall > 0 ? onTheWall : untilFirst;
}

TDateTime TimeOfDayNow(const LocalTimeSource& clock) { return ReadClock(clock).timeOfDay; }

TDateTime DateToday(const LocalTimeSource& clock) { return ReadClock(clock).date; }

TDateTime DateTomorrow(const LocalTimeSource& clock) { return DateToday(clock) + 1.0; }

std::string TimeText(const FormatSettings& settings, TDateTime value) {
  const SplitClock split = SplitTime(value);
  return FormatTime(settings, split.hours, split.minutes, split.seconds);
}

std::string SpanText(const FormatSettings& settings, std::int64_t milliseconds) {
  const std::int64_t seconds = milliseconds > 0 ? milliseconds / 1000 : 0;
  return FormatSpan(settings, static_cast<unsigned>(seconds / 3600),
                    static_cast<unsigned>(seconds / 60 % 60), static_cast<unsigned>(seconds % 60));
}

}  // namespace klemvar
