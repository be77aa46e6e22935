// The clock arithmetic of the alarm windows' shared close moment.

#include "core/close_moment.h"

#include <gtest/gtest.h>

#include "core/alarmcore.h"
#include "core/convert_error.h"

namespace klemvar {
namespace {

const TDateTime kDay = ComposeDate(2024, 3, 14);

TDateTime At(std::uint16_t h, std::uint16_t m, std::uint16_t s, std::uint16_t ms = 0) {
  return ComposeTime(h, m, s, ms);
}

class CloseMomentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AlarmCloseAt = 0.0;
    AlarmCloseDate = 0.0;
  }
};

TEST_F(CloseMomentTest, PassesOnlyStrictlyAfterTheSeconds) {
  SetAlarmCloseMoment(1, At(12, 0, 0), kDay);
  EXPECT_EQ(AlarmCloseAt, At(12, 0, 0) + At(0, 0, 1));
  EXPECT_EQ(AlarmCloseDate, kDay);
  EXPECT_FALSE(AlarmCloseMomentPassed(At(12, 0, 1), kDay));
  EXPECT_TRUE(AlarmCloseMomentPassed(At(12, 0, 1, 1), kDay));
}

TEST_F(CloseMomentTest, AMomentPastMidnightStaysUnwrappedAndIsReachedTheNextDay) {
  const TDateTime newYearsEve = ComposeDate(2024, 12, 31);
  SetAlarmCloseMoment(1, At(23, 59, 59, 500), newYearsEve);
  EXPECT_GE(AlarmCloseAt, 1.0);
  EXPECT_FALSE(AlarmCloseMomentPassed(At(23, 59, 59, 999), newYearsEve));
  EXPECT_FALSE(AlarmCloseMomentPassed(At(0, 0, 0, 500), newYearsEve + 1.0));  // exactly 1 s
  EXPECT_TRUE(AlarmCloseMomentPassed(At(0, 0, 1, 500), newYearsEve + 1.0));
}

TEST_F(CloseMomentTest, TheNewestMomentCountsForEveryWindow) {
  SetAlarmCloseMoment(5, At(12, 0, 0), kDay);
  SetAlarmCloseMoment(5, At(12, 0, 3), kDay);
  EXPECT_FALSE(AlarmCloseMomentPassed(At(12, 0, 6), kDay));  // the first one's own time
  EXPECT_FALSE(AlarmCloseMomentPassed(At(12, 0, 8), kDay));
  EXPECT_TRUE(AlarmCloseMomentPassed(At(12, 0, 8, 1), kDay));
}

TEST_F(CloseMomentTest, SecondsGoInAsTheirLow16Bits) {
  SetAlarmCloseMoment(65'536 + 30, At(12, 0, 0), kDay);
  EXPECT_EQ(AlarmCloseAt, At(12, 0, 30));
}

TEST_F(CloseMomentTest, OutOfRangeSecondsFailAndKeepThePreviousMoment) {
  SetAlarmCloseMoment(30, At(5, 59, 0), kDay);
  const TDateTime previousAt = AlarmCloseAt;
  for (std::int32_t seconds : {60, 75, -1}) {
    try {
      SetAlarmCloseMoment(seconds, At(6, 0, 0), kDay + 1.0);
      ADD_FAILURE() << seconds << " seconds were accepted";
    } catch (const EConvertError& error) {
      EXPECT_STREQ(error.what(), "Ungültiges Argument zum Codieren der Uhrzeit");
    }
    EXPECT_EQ(AlarmCloseAt, previousAt);
    EXPECT_EQ(AlarmCloseDate, kDay);
  }
}

}  // namespace
}  // namespace klemvar
