#pragma once

// Clocks that tests set by hand, installed for the life of the object. The
// wall clock is read in a zone without daylight saving; Set steps it as a user
// or time synchronisation would, while Advance lets real time pass on both.

#include "core/clock.h"
#include "core/convert_error.h"
#include "support/installed_double.h"

namespace klemvar::testing {

class FakeClock final : public LocalTimeSource {
 public:
  std::int64_t RealNow() const override {
    // A reading no clock value can hold fails as composing it would.
    if (!valid_) ComposeTime(24, 0, 0, 0);
    return real_;
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

  // Lets real time pass.
  void Advance(std::int64_t milliseconds) {
    real_ += milliseconds;
    elapsed_ += milliseconds;
  }

 private:
  static constexpr std::int64_t kUnixEpochDay = 25'569;
  std::int64_t real_ = 0;
  std::int64_t elapsed_ = 1'000'000'000;
  bool valid_ = true;
  bool set_ = false;
  InstalledDouble<&SetLocalTimeSource> installed_{this};
};

}  // namespace klemvar::testing
