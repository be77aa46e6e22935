#include "core/alarmcore.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/convert_error.h"

namespace klemvar {
namespace {

constexpr double kDay = 46'364.0;  // 8 December 2026
constexpr double kMillisecond = 1.0 / 86'400'000.0;
// The day forward and back again rounds at the scale of a whole day: the result
// may differ from the chosen time by one unit in the last place of 1.0, far below
// a millisecond.
constexpr double kDayUlp = 0x1p-52;

double At(int h, int m, int s = 0, int ms = 0) {
  return ComposeTime(static_cast<std::uint16_t>(h), static_cast<std::uint16_t>(m),
                     static_cast<std::uint16_t>(s), static_cast<std::uint16_t>(ms));
}

// A reading at (day, time) on an elapsed clock that no one has set.
ClockReading Reading(double timeOfDay, double today) {
  return {timeOfDay, today, 0, std::llround((today + timeOfDay) * 86'400'000.0)};
}

AlarmMoment ArmAlarm(AlarmMode mode, int h, int m, double timeOfDay, double today) {
  return klemvar::ArmAlarm(mode, h, m, Reading(timeOfDay, today));
}

class AlarmCoreTest : public ::testing::Test {
 protected:
  // Arms as the main window does, from a reading at (day, time).
  void Arm(AlarmMode mode, int h, int m, double timeOfDay, double today = kDay) {
    schedule_.Arm(mode, h, m, "", Reading(timeOfDay, today));
  }
  bool AlarmDue(double timeOfDay, double today) const {
    return klemvar::AlarmDue(schedule_, Reading(timeOfDay, today));
  }

  AlarmSchedule schedule_;
};

TEST_F(AlarmCoreTest, UmForEveryMinuteOfTheDayArmedAfterIt) {
  for (int h = 0; h < 24; ++h) {
    for (int m = 0; m < 60; ++m) {
      const double chosen = At(h, m);
      const AlarmMoment moment = ArmAlarm(AlarmMode::Um, h, m, chosen + kMillisecond, kDay);
      EXPECT_EQ(moment.date, kDay + 1.0);
      EXPECT_GE(moment.time, 0.0);
      EXPECT_LE(std::fabs(moment.time - chosen), kDayUlp) << h << ":" << m;
      if (h == 0 && m == 0) {
        EXPECT_EQ(moment.time, 0.0);
      }
    }
  }
}

TEST_F(AlarmCoreTest, UmAtOrBeforeTheChosenMillisecondIsToday) {
  AlarmMoment moment = ArmAlarm(AlarmMode::Um, 7, 30, At(7, 30), kDay);
  EXPECT_EQ(moment.time, At(7, 30));
  EXPECT_EQ(moment.date, kDay);
  moment = ArmAlarm(AlarmMode::Um, 7, 30, At(7, 30, 20), kDay);
  EXPECT_EQ(moment.date, kDay + 1.0);
}

TEST_F(AlarmCoreTest, InAddsTheIntervalAndWrapsAtOrPastMidnight) {
  AlarmMoment moment = ArmAlarm(AlarmMode::In, 1, 0, At(23, 30), kDay);
  EXPECT_EQ(moment.date, kDay + 1.0);
  EXPECT_EQ(SplitTime(moment.time).hours, 0);
  EXPECT_EQ(SplitTime(moment.time).minutes, 30);

  moment = ArmAlarm(AlarmMode::In, 1, 0, At(23, 0), kDay);  // exactly one day
  EXPECT_EQ(moment.date, kDay + 1.0);
  EXPECT_EQ(moment.time, 0.0);

  moment = ArmAlarm(AlarmMode::In, 23, 59, At(0, 0, 30), kDay);
  EXPECT_EQ(moment.date, kDay);
  EXPECT_EQ(moment.time, At(0, 0, 30) + At(23, 59));

  moment = ArmAlarm(AlarmMode::In, 0, 0, At(9, 15, 2, 7), kDay);
  EXPECT_EQ(moment.time, At(9, 15, 2, 7));
  EXPECT_EQ(moment.date, kDay);
}

TEST_F(AlarmCoreTest, OutOfRangeFieldsFailBeforeAnythingIsComputed) {
  for (auto [h, m] : {std::pair{24, 0}, {0, 60}, {-1, 0}, {0, -1}, {99, 0}}) {
    for (AlarmMode mode : {AlarmMode::Um, AlarmMode::In}) {
      try {
        ArmAlarm(mode, h, m, At(12, 0), kDay);
        ADD_FAILURE() << h << ":" << m << " was accepted";
      } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "Ungültiges Argument zum Codieren der Uhrzeit");
      }
    }
  }
  // Wider integers pass their low 16 bits: 65,536 hours is 0 hours.
  EXPECT_NO_THROW(ArmAlarm(AlarmMode::Um, 65'536, 0, At(12, 0), kDay));
}

TEST_F(AlarmCoreTest, IsDueOnlyStrictlyAfterItsMomentAndOnlyWhileArmed) {
  Arm(AlarmMode::Um, 7, 30, At(7, 0));
  EXPECT_FALSE(AlarmDue(At(7, 29, 59, 999), kDay));
  EXPECT_FALSE(AlarmDue(At(7, 30), kDay));  // the exact millisecond does not fire
  EXPECT_TRUE(AlarmDue(At(7, 30) + kMillisecond, kDay));
  EXPECT_FALSE(AlarmDue(At(23, 0), kDay - 1.0));
  schedule_.Disarm();
  EXPECT_FALSE(AlarmDue(At(8, 0), kDay));
}

TEST_F(AlarmCoreTest, MidnightAlarmArmedLaterFiresAtTheFirstTickAfterMidnight) {
  Arm(AlarmMode::Um, 0, 0, At(15, 0));
  EXPECT_EQ(schedule_.AlarmTime, 0.0);
  EXPECT_FALSE(AlarmDue(At(23, 59, 59, 999), kDay));
  EXPECT_FALSE(AlarmDue(0.0, kDay + 1.0));
  EXPECT_TRUE(AlarmDue(At(0, 0, 0, 400), kDay + 1.0));
}

TEST_F(AlarmCoreTest, AnAlarmSleptThroughFiresAtTheFirstTickThatNoticesNotADayLater) {
  Arm(AlarmMode::Um, 23, 0, At(21, 0));
  EXPECT_FALSE(AlarmDue(At(22, 0), kDay));  // the machine goes to sleep here
  EXPECT_TRUE(AlarmDue(At(1, 0), kDay + 1.0));
}

TEST_F(AlarmCoreTest, AnIntervalDueInTheDaysLastSecondFiresAfterMidnight) {
  Arm(AlarmMode::In, 0, 1, At(23, 58, 59, 600));
  EXPECT_EQ(schedule_.AlarmTime, At(23, 59, 59, 600));
  EXPECT_FALSE(AlarmDue(At(23, 59, 59, 300), kDay));  // the day's last tick
  EXPECT_TRUE(AlarmDue(At(0, 0, 0, 300), kDay + 1.0));
}

// The tick is moved so that it falls just after the moment within a second.
TEST_F(AlarmCoreTest, TicksArePhasedJustAfterTheMomentsMillisecond) {
  EXPECT_EQ(TickPhaseDelay(At(10, 0, 5, 300), At(10, 5, 5, 300)), kTickAfterMoment);
  EXPECT_EQ(TickPhaseDelay(At(10, 0, 5, 300), At(10, 5, 0, 0)), 700 + kTickAfterMoment);
  EXPECT_EQ(TickPhaseDelay(At(23, 59, 59, 990), At(0, 0, 0, 0)), 10 + kTickAfterMoment);
  EXPECT_EQ(TickPhaseDelay(At(6, 0, 0, 1), At(7, 0, 0, 0)), 999 + kTickAfterMoment);
  // A repeat of 0 minutes armed by the tick that fired: the next tick a second on.
  EXPECT_EQ(TickPhaseDelay(At(10, 0, 5, 310), At(10, 0, 5, 310), 1000), 1000 + kTickAfterMoment);
  EXPECT_EQ(TickPhaseDelay(At(10, 0, 5, 10), At(10, 1, 0, 0), 1000), 1000);
}

}  // namespace
}  // namespace klemvar
