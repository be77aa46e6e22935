// The alarm windows' shared close moment: a span of real time.

#include "core/alarmcore.h"

#include <gtest/gtest.h>

#include "core/convert_error.h"

namespace klemvar {
namespace {

const TDateTime kDay = ComposeDate(2024, 3, 14);

// A reading whose elapsed clock stands at `elapsed` milliseconds.
ClockReading At(std::uint16_t h, std::uint16_t m, std::uint16_t s, std::int64_t elapsed,
                TDateTime day = kDay) {
  return {ComposeTime(h, m, s, 0), day, 0, elapsed};
}

class CloseMomentTest : public ::testing::Test {
 protected:
  void SetAlarmCloseMoment(std::int32_t seconds, const ClockReading& now) {
    moment_.Set(seconds, now);
  }
  bool AlarmCloseMomentPassed(const ClockReading& now) const { return moment_.Passed(now); }

  AlarmCloseMoment moment_;
  const TDateTime& AlarmCloseAt = moment_.AlarmCloseAt;
  const TDateTime& AlarmCloseDate = moment_.AlarmCloseDate;
  const std::int64_t& AlarmCloseElapsed = moment_.AlarmCloseElapsed;
};

TEST_F(CloseMomentTest, PassesOnlyStrictlyAfterTheSeconds) {
  SetAlarmCloseMoment(1, At(12, 0, 0, 5'000));
  EXPECT_EQ(AlarmCloseAt, ComposeTime(12, 0, 1, 0));
  EXPECT_EQ(AlarmCloseDate, kDay);
  EXPECT_FALSE(AlarmCloseMomentPassed(At(12, 0, 1, 6'000)));
  EXPECT_TRUE(AlarmCloseMomentPassed(At(12, 0, 1, 6'001)));
}

// The clocks going back an hour at 03:00, just after the window opened, or
// midnight in between, change nothing: ten seconds are ten seconds.
TEST_F(CloseMomentTest, CountsRealTimeWhateverTheWallClockShows) {
  SetAlarmCloseMoment(10, At(2, 59, 55, 1'000));
  EXPECT_TRUE(AlarmCloseMomentPassed(At(2, 0, 5, 11'001)));
  SetAlarmCloseMoment(10, At(23, 59, 55, 1'000));
  EXPECT_FALSE(AlarmCloseMomentPassed(At(0, 0, 4, 10'000, kDay + 1.0)));
  EXPECT_TRUE(AlarmCloseMomentPassed(At(0, 0, 5, 11'001, kDay + 1.0)));
}

TEST_F(CloseMomentTest, TheNewestMomentCountsForEveryWindow) {
  SetAlarmCloseMoment(5, At(12, 0, 0, 0));
  SetAlarmCloseMoment(5, At(12, 0, 3, 3'000));
  EXPECT_FALSE(AlarmCloseMomentPassed(At(12, 0, 6, 6'000)));  // the first one's own time
  EXPECT_FALSE(AlarmCloseMomentPassed(At(12, 0, 8, 8'000)));
  EXPECT_TRUE(AlarmCloseMomentPassed(At(12, 0, 8, 8'001)));
}

TEST_F(CloseMomentTest, SecondsGoInAsTheirLow16Bits) {
  SetAlarmCloseMoment(65'536 + 30, At(12, 0, 0, 0));
  EXPECT_EQ(AlarmCloseAt, ComposeTime(12, 0, 30, 0));
  EXPECT_EQ(AlarmCloseElapsed, 30'000);
}

TEST_F(CloseMomentTest, OutOfRangeSecondsFailAndKeepThePreviousMoment) {
  SetAlarmCloseMoment(30, At(5, 59, 0, 0));
  const TDateTime previousAt = AlarmCloseAt;
  for (std::int32_t seconds : {60, 75, -1}) {
    try {
      SetAlarmCloseMoment(seconds, At(6, 0, 0, 60'000, kDay + 1.0));
      ADD_FAILURE() << seconds << " seconds were accepted";
    } catch (const EConvertError& error) {
      EXPECT_STREQ(error.what(), "Ungültiges Argument zum Codieren der Uhrzeit");
    }
    EXPECT_EQ(AlarmCloseAt, previousAt);
    EXPECT_EQ(AlarmCloseDate, kDay);
    EXPECT_EQ(AlarmCloseElapsed, 30'000);
  }
}

}  // namespace
}  // namespace klemvar
