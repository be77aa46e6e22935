#pragma once

// A clock that tests set by hand and hand to what reads the time. The wall
// clock is read in a zone without daylight saving; Set steps it as a user or
// time synchronisation would, while Advance lets real time pass on both.

#include "core/clock.h"
#include "core/convert_error.h"

namespace klemvar::testing {

class FakeClock final : public LocalTimeSource {
 public:
  std::int64_t RealNow() const override {
    // A reading no clock value can hold fails as composing it would.
    if (!valid_) ComposeTime(24, 0, 0, 0);
    const std::int64_t now = real_;
    if (stepAtEachReading_) {
      ++real_;
      ++elapsed_;
    }
    return now;
  }
  std::int64_t ElapsedNow() const override { return elapsed_; }
  std::int64_t WallClockOf(std::int64_t instant) const override { return instant; }
  std::int64_t FirstInstantOf(std::int64_t wallClock) const override { return wallClock; }

  // Steps the wall clock to a local time; fields out of range make every
  // reading fail until the next Set.
  void Set(std::uint16_t year, std::uint16_t month, std::uint16_t day, std::uint16_t hour,
           std::uint16_t minute, std::uint16_t second = 0, std::uint16_t millisecond = 0) {
    try {
      const auto days = static_cast<std::int64_t>(ComposeDate(year, month, day)) - kUnixEpochDay;
      const auto time = ComposeTime(hour, minute, second, millisecond);
      real_ = days * kMillisecondsPerDay +
              static_cast<std::int64_t>(time * static_cast<double>(kMillisecondsPerDay) + 0.5);
      valid_ = true;
      set_ = true;
    } catch (const EConvertError&) {
      valid_ = false;
      set_ = true;
    }
  }
  bool WasSet() const { return set_; }

  // While on, each reading moves the clock on by a millisecond, so a handler
  // that reads the clock twice sees two instants.
  void StepAtEachReading(bool on) { stepAtEachReading_ = on; }

  // Lets real time pass.
  void Advance(std::int64_t milliseconds) {
    real_ += milliseconds;
    elapsed_ += milliseconds;
  }

 private:
  static constexpr std::int64_t kUnixEpochDay = 25'569;
  mutable std::int64_t real_ = 0;
  mutable std::int64_t elapsed_ = 1'000'000'000;
  bool valid_ = true;
  bool set_ = false;
  bool stepAtEachReading_ = false;
};

}  // namespace klemvar::testing
