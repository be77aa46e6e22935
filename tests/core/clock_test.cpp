#include "core/clock.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

#include "core/convert_error.h"
#include "support/fake_clock.h"

namespace klemvar {
namespace {

constexpr double kMillisecond = 1.0 / 86'400'000.0;

void ExpectInvalidTime(std::uint16_t h, std::uint16_t m, std::uint16_t s, std::uint16_t ms) {
  try {
    ComposeTime(h, m, s, ms);
    FAIL() << "ComposeTime(" << h << ", " << m << ", " << s << ", " << ms << ") did not fail";
  } catch (const EConvertError& error) {
    EXPECT_STREQ(error.what(), "Ungültiges Argument zum Codieren der Uhrzeit");
  }
}

TEST(ComposeTime, AcceptsTheLastMillisecondOfTheDayAndRejectsEveryArgumentPastItsRange) {
  EXPECT_EQ(ComposeTime(0, 0, 0, 0), 0.0);
  EXPECT_EQ(ComposeTime(12, 0, 0, 0), 0.5);
  EXPECT_EQ(ComposeTime(6, 0, 0, 0), 0.25);
  EXPECT_EQ(ComposeTime(23, 59, 59, 999), 86'399'999.0 / 86'400'000.0);
  ExpectInvalidTime(24, 0, 0, 0);
  ExpectInvalidTime(0, 60, 0, 0);
  ExpectInvalidTime(0, 0, 60, 0);
  ExpectInvalidTime(0, 0, 0, 1000);
  ExpectInvalidTime(0, 0, 65'535, 0);  // -1 seconds, passed as its low 16 bits
  ExpectInvalidTime(65'535, 0, 0, 0);
}

TEST(ComposeTime, IsTheCorrectlyRoundedQuotientOfTheMillisecondCount) {
  for (std::uint16_t h = 0; h < 24; ++h) {
    for (std::uint16_t m = 0; m < 60; m += 7) {
      for (std::uint16_t s = 0; s < 60; s += 13) {
        const std::int64_t count = h * 3'600'000LL + m * 60'000LL + s * 1'000LL + 321;
        EXPECT_EQ(ComposeTime(h, m, s, 321), static_cast<double>(count) / 86'400'000.0);
      }
    }
  }
}

TEST(ComposeDate, CountsDaysFromTheEpochWithGregorianLeapYears) {
  EXPECT_EQ(ComposeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(ComposeDate(1899, 12, 31), 1.0);
  EXPECT_EQ(ComposeDate(1900, 1, 1), 2.0);
  EXPECT_EQ(ComposeDate(1900, 3, 1), 61.0);  // 1900 is no leap year
  EXPECT_EQ(ComposeDate(2000, 1, 1), 36'526.0);
  EXPECT_EQ(ComposeDate(2000, 3, 1) - ComposeDate(2000, 2, 28), 2.0);  // 2000 is one
  EXPECT_EQ(ComposeDate(2026, 12, 8), 46'364.0);
  EXPECT_EQ(ComposeDate(1, 1, 1), -693'593.0);
  EXPECT_THROW(ComposeDate(2023, 2, 29), EConvertError);
  EXPECT_THROW(ComposeDate(2024, 13, 1), EConvertError);
  EXPECT_THROW(ComposeDate(2024, 4, 31), EConvertError);
  EXPECT_THROW(ComposeDate(0, 1, 1), EConvertError);
  try {
    ComposeDate(2024, 0, 1);
    ADD_FAILURE() << "month 0 was accepted";
  } catch (const EConvertError& error) {
    EXPECT_STREQ(error.what(), "Ungültiges Argument zum Codieren des Datums");
  }
}

TEST(SplitTime, DropsWholeDaysAndTheSignAndRoundsToTheNearestMillisecond) {
  auto expectSplit = [](double value, int h, int m, int s, int ms) {
    const SplitClock split = SplitTime(value);
    EXPECT_EQ(split.hours, h) << value;
    EXPECT_EQ(split.minutes, m) << value;
    EXPECT_EQ(split.seconds, s) << value;
    EXPECT_EQ(split.milliseconds, ms) << value;
  };
  expectSplit(0.999999999999, 0, 0, 0, 0);  // rounds to a whole day
  expectSplit(-0.25, 6, 0, 0, 0);
  expectSplit(0.25, 6, 0, 0, 0);
  expectSplit(1.25, 6, 0, 0, 0);
  expectSplit(ComposeTime(23, 59, 59, 999), 23, 59, 59, 999);
  expectSplit(-5.7 / 86'400.0, 0, 0, 5, 700);
  expectSplit(46'364.75, 18, 0, 0, 0);
  // Ties round to even: 0.5 ms goes down, 1.5 ms up.
  expectSplit(0.5 / 86'400'000.0, 0, 0, 0, 0);
  expectSplit(1.5 / 86'400'000.0, 0, 0, 0, 2);
}

TEST(SplitTime, GivesMidnightForValuesThatCountNoMilliseconds) {
  const double nan = std::nan("");
  const double inf = std::numeric_limits<double>::infinity();
  for (double value : {nan, inf, -inf}) {
    const SplitClock split = SplitTime(value);
    EXPECT_EQ(split.hours + split.minutes + split.seconds + split.milliseconds, 0);
  }
  const SplitClock huge = SplitTime(1e300);
  EXPECT_LT(huge.hours, 24);
}

TEST(SplitTime, InvertsComposeTimeForEveryMinuteOfTheDay) {
  for (std::uint16_t h = 0; h < 24; ++h) {
    for (std::uint16_t m = 0; m < 60; ++m) {
      const SplitClock split = SplitTime(ComposeTime(h, m, 59, 999));
      EXPECT_EQ(split.hours, h);
      EXPECT_EQ(split.minutes, m);
      EXPECT_EQ(split.seconds, 59);
      EXPECT_EQ(split.milliseconds, 999);
    }
  }
}

class ClockReadings : public ::testing::Test {
 protected:
  testing::FakeClock clock;
};

TEST_F(ClockReadings,
       AReadingOnTheMinuteEqualsComposeTimeBitForBitAndOneMillisecondLaterIsGreater) {
  for (std::uint16_t h = 0; h < 24; ++h) {
    for (std::uint16_t m = 0; m < 60; ++m) {
      clock.Set(2026, 12, 8, h, m, 0, 0);
      const double onTheMinute = TimeOfDayNow(clock);
      EXPECT_EQ(std::bit_cast<std::uint64_t>(onTheMinute),
                std::bit_cast<std::uint64_t>(ComposeTime(h, m, 0, 0)));
      clock.Set(2026, 12, 8, h, m, 0, 1);
      EXPECT_GT(TimeOfDayNow(clock), onTheMinute);
    }
  }
}

TEST_F(ClockReadings, TomorrowJustBeforeMidnightIsTodayJustAfterIt) {
  clock.Set(2026, 12, 31, 23, 59, 59, 999);
  const double tomorrow = DateTomorrow(clock);
  EXPECT_EQ(DateToday(clock) + 1.0, tomorrow);
  clock.Advance(1);
  EXPECT_EQ(DateToday(clock), tomorrow);
  EXPECT_EQ(TimeOfDayNow(clock), 0.0);
}

TEST_F(ClockReadings, EachCallReadsTheClockAnew) {
  clock.Set(2024, 2, 28, 10, 0);
  const double before = DateToday(clock);
  clock.Advance(24LL * 3'600'000);
  EXPECT_EQ(DateToday(clock), before + 1.0);
  EXPECT_EQ(DateToday(clock), ComposeDate(2024, 2, 29));
}

TEST(SystemClock, ReadsAPlausibleLocalTime) {
  const LocalTimeSource& clock = SystemLocalTimeSource();
  const double now = TimeOfDayNow(clock);
  EXPECT_GE(now, 0.0);
  EXPECT_LT(now, 1.0);
  EXPECT_GT(DateToday(clock), ComposeDate(2020, 1, 1));
  EXPECT_EQ(DateToday(clock), std::floor(DateToday(clock)));
}

}  // namespace
}  // namespace klemvar
