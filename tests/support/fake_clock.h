#pragma once

// A wall clock that tests set by hand, installed for the life of the object.

#include "core/clock.h"
#include "support/installed_double.h"

namespace klemvar::testing {

class FakeClock final : public LocalTimeSource {
 public:
  LocalTimeReading Now() const override { return now_; }

  void Set(std::uint16_t year, std::uint16_t month, std::uint16_t day, std::uint16_t hour,
           std::uint16_t minute, std::uint16_t second = 0, std::uint16_t millisecond = 0) {
    now_ = {year, month, day, hour, minute, second, millisecond};
  }

  // Moves the clock on by whole milliseconds, across midnight and month ends.
  void Advance(std::int64_t milliseconds) {
    const std::int64_t day =
        static_cast<std::int64_t>(ComposeDate(now_.wYear, now_.wMonth, now_.wDay));
    std::int64_t ms = now_.wHour * 3'600'000LL + now_.wMinute * 60'000LL + now_.wSecond * 1'000LL +
                      now_.wMilliseconds + milliseconds;
    std::int64_t days = day + ms / kMillisecondsPerDay;
    ms %= kMillisecondsPerDay;
    if (ms < 0) {
      ms += kMillisecondsPerDay;
      --days;
    }
    SetDay(days);
    now_.wHour = static_cast<std::uint16_t>(ms / 3'600'000);
    now_.wMinute = static_cast<std::uint16_t>(ms / 60'000 % 60);
    now_.wSecond = static_cast<std::uint16_t>(ms / 1'000 % 60);
    now_.wMilliseconds = static_cast<std::uint16_t>(ms % 1'000);
  }

 private:
  // Finds the calendar date of a day number by stepping from the current one.
  void SetDay(std::int64_t target) {
    auto current = [this] {
      return static_cast<std::int64_t>(ComposeDate(now_.wYear, now_.wMonth, now_.wDay));
    };
    while (current() < target) StepDay(+1);
    while (current() > target) StepDay(-1);
  }
  void StepDay(int direction) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    auto daysIn = [](int year, int month) {
      const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
      return kDays[month - 1] + (month == 2 && leap ? 1 : 0);
    };
    int y = now_.wYear, m = now_.wMonth, d = now_.wDay + direction;
    if (d > daysIn(y, m)) {
      d = 1;
      if (++m > 12) m = 1, ++y;
    } else if (d < 1) {
      if (--m < 1) m = 12, --y;
      d = daysIn(y, m);
    }
    now_.wYear = static_cast<std::uint16_t>(y);
    now_.wMonth = static_cast<std::uint16_t>(m);
    now_.wDay = static_cast<std::uint16_t>(d);
  }

  LocalTimeReading now_{};
  InstalledDouble<&SetLocalTimeSource> installed_{this};
};

}  // namespace klemvar::testing
