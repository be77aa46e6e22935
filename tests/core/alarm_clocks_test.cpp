// When an alarm rings and what its countdown shows, with both clocks injected
// and the real zone rules: through daylight-saving nights, clock steps, zone
// changes and suspend. Intervals count real time; clock times follow the wall
// clock in the zone as it is now.

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "core/alarmcore.h"
#include "core/local_zone.h"
#include "core/timeformat.h"

namespace klemvar {
namespace {

constexpr std::int64_t kSecond = 1000;
constexpr std::int64_t kMinute = 60 * kSecond;
constexpr std::int64_t kHour = 60 * kMinute;

// An instant given in UTC.
std::int64_t Utc(int year, int month, int day, int hour, int minute) {
  const auto days = static_cast<std::int64_t>(ComposeDate(static_cast<std::uint16_t>(year),
                                                          static_cast<std::uint16_t>(month),
                                                          static_cast<std::uint16_t>(day)));
  return (days - 25'569) * 24 * kHour + hour * kHour + minute * kMinute;
}

void UseZone(const char* zone) {
  setenv("TZ", zone, 1);
  tzset();
}

// Both clocks by hand, read in the system's zone rules for TZ.
class SimulatedClock final : public LocalTimeSource {
 public:
  std::int64_t RealNow() const override { return real_; }
  std::int64_t ElapsedNow() const override { return elapsed_; }
  std::int64_t WallClockOf(std::int64_t instant) const override {
    return LocalWallClockOf(instant);
  }
  std::int64_t FirstInstantOf(std::int64_t wallClock) const override {
    return LookUpLocalTime(wallClock).first;
  }

  void SetReal(std::int64_t instant) { real_ = instant; }
  void Pass(std::int64_t ms) {
    real_ += ms;
    elapsed_ += ms;
  }
  void StepWall(std::int64_t ms) { real_ += ms; }

 private:
  std::int64_t real_ = 0;
  std::int64_t elapsed_ = 5 * kHour;
};

struct Event {
  enum Kind { kStepWall, kSuspend, kZone };
  std::int64_t after;  // real time since arming
  Kind kind;
  std::int64_t amount = 0;
  const char* zone = nullptr;
};

struct Case {
  const char* name;
  const char* zone;
  std::int64_t armedAt;
  AlarmMode mode;
  int hours;
  int minutes;
  std::vector<Event> events;
  const char* panelAtArming;         // the time left shown right after arming
  std::int64_t ringsAfter;           // real time from arming to the tick that fires
  std::int64_t ringsAgainAfter = 0;  // with repeat: from that tick to the next firing
};

class AlarmClocksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    german_.TimePattern = "hh:mm:ss";
    if (const char* tz = std::getenv("TZ")) savedZone_ = tz;
  }
  void TearDown() override {
    if (savedZone_.empty()) {
      unsetenv("TZ");
    } else {
      setenv("TZ", savedZone_.c_str(), 1);
    }
    tzset();
  }

  void Arm(const Case& c) { schedule_.Arm(c.mode, c.hours, c.minutes, "", ReadClock(clock_)); }

  // Ticks once a second, just after the armed second as the program phases
  // them, and gives the elapsed time from `start` to the tick that fires.
  std::int64_t TicksUntilDue(const Case& c, std::size_t& next, std::int64_t start) {
    clock_.Pass(kTickAfterMoment);
    for (int tick = 0; tick < 3 * 24 * 3600; ++tick) {
      while (next < c.events.size() && c.events[next].after <= clock_.ElapsedNow() - start) {
        Apply(c.events[next++]);
      }
      if (AlarmDue(schedule_, ReadClock(clock_))) return clock_.ElapsedNow() - start;
      clock_.Pass(kSecond);
    }
    ADD_FAILURE() << c.name << ": never rang";
    return -1;
  }

  void Apply(const Event& event) {
    if (event.kind == Event::kStepWall) clock_.StepWall(event.amount);
    if (event.kind == Event::kSuspend) clock_.Pass(event.amount);  // no tick while asleep
    if (event.kind == Event::kZone) UseZone(event.zone);
  }

  SimulatedClock clock_;
  AlarmSchedule schedule_;
  FormatSettings german_;
  std::string savedZone_;
};

// The ring comes on the tick just after its moment: whole seconds compared.
std::int64_t Seconds(std::int64_t ms) { return ms / kSecond; }

TEST_F(AlarmClocksTest, RingsWhenTheUserMeantItAndShowsTheRealTimeLeft) {
  const std::vector<Case> cases = {
      {"um 7:00 armed at 01:30 on the night the clocks go forward",
       "Europe/Berlin",
       Utc(2026, 3, 29, 0, 30),
       AlarmMode::Um,
       7,
       0,
       {},
       "04:30:00",
       4 * kHour + 30 * kMinute},
      {"um 7:00 armed at 02:30 summer time on the night the clocks go back",
       "Europe/Berlin",
       Utc(2026, 10, 25, 0, 30),
       AlarmMode::Um,
       7,
       0,
       {},
       "05:30:00",
       5 * kHour + 30 * kMinute},
      {"in 20 min armed at 02:50 summer time on the night the clocks go back",
       "Europe/Berlin",
       Utc(2026, 10, 25, 0, 50),
       AlarmMode::In,
       0,
       20,
       {},
       "00:20:00",
       20 * kMinute},
      {"in 1 h armed at 01:30 on the night the clocks go forward",
       "Europe/Berlin",
       Utc(2026, 3, 29, 0, 30),
       AlarmMode::In,
       1,
       0,
       {},
       "01:00:00",
       kHour},
      {"um 2:30, a time the clocks skip, rings at 3:00",
       "Europe/Berlin",
       Utc(2026, 3, 29, 0, 0),
       AlarmMode::Um,
       2,
       30,
       {},
       "01:00:00",
       kHour},
      {"um 2:30, a time the clocks repeat, rings at its first and daily after it",
       "Europe/Berlin",
       Utc(2026, 10, 24, 23, 0),
       AlarmMode::Um,
       2,
       30,
       {},
       "01:30:00",
       kHour + 30 * kMinute,
       25 * kHour},
      {"um 2:30 armed at 2:10 on the second pass of the repeated hour",
       "Europe/Berlin",
       Utc(2026, 10, 25, 1, 10),
       AlarmMode::Um,
       2,
       30,
       {},
       "00:20:00",
       20 * kMinute},
      {"um 7:00 armed at 01:00 on the night Sydney goes forward",
       "Australia/Sydney",
       Utc(2026, 10, 3, 15, 0),
       AlarmMode::Um,
       7,
       0,
       {},
       "05:00:00",
       5 * kHour},
      {"um 7:00 armed at 01:00 on the night Sydney goes back",
       "Australia/Sydney",
       Utc(2026, 4, 4, 14, 0),
       AlarmMode::Um,
       7,
       0,
       {},
       "07:00:00",
       7 * kHour},
      {"um 3:00 armed at 01:00 as Lord Howe moves half an hour forward",
       "Australia/Lord_Howe",
       Utc(2026, 10, 3, 14, 30),
       AlarmMode::Um,
       3,
       0,
       {},
       "01:30:00",
       kHour + 30 * kMinute},
      {"in 1 h across Lord Howe's half hour",
       "Australia/Lord_Howe",
       Utc(2026, 10, 3, 14, 30),
       AlarmMode::In,
       1,
       0,
       {},
       "01:00:00",
       kHour},
      {"in 20 min, the clock set back an hour",
       "Europe/Berlin",
       Utc(2026, 12, 8, 9, 0),
       AlarmMode::In,
       0,
       20,
       {{5 * kMinute, Event::kStepWall, -kHour}},
       "00:20:00",
       20 * kMinute},
      {"in 20 min, the clock set forward an hour",
       "Europe/Berlin",
       Utc(2026, 12, 8, 9, 0),
       AlarmMode::In,
       0,
       20,
       {{5 * kMinute, Event::kStepWall, kHour}},
       "00:20:00",
       20 * kMinute},
      {"um 11:00 armed at 10:00, the clock set back an hour: by the wall clock",
       "Europe/Berlin",
       Utc(2026, 12, 8, 9, 0),
       AlarmMode::Um,
       11,
       0,
       {{5 * kMinute, Event::kStepWall, -kHour}},
       "01:00:00",
       2 * kHour},
      {"um 12:00 armed at 10:00 in Berlin, then the zone becomes London's",
       "Europe/Berlin",
       Utc(2026, 12, 8, 9, 0),
       AlarmMode::Um,
       12,
       0,
       {{kMinute, Event::kZone, 0, "Europe/London"}},
       "02:00:00",
       3 * kHour},
      {"in 1 h across a change of zone",
       "Europe/Berlin",
       Utc(2026, 12, 8, 9, 0),
       AlarmMode::In,
       1,
       0,
       {{kMinute, Event::kZone, 0, "America/New_York"}},
       "01:00:00",
       kHour},
      {"in 20 min, suspended for half an hour after 5 minutes: rings on resume",
       "Europe/Berlin",
       Utc(2026, 12, 8, 9, 0),
       AlarmMode::In,
       0,
       20,
       {{5 * kMinute, Event::kSuspend, 30 * kMinute}},
       "00:20:00",
       35 * kMinute},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UseZone(c.zone);
    clock_.SetReal(c.armedAt);
    Arm(c);
    EXPECT_EQ(SpanText(german_, CountdownValue(schedule_, clock_, ReadClock(clock_))),
              c.panelAtArming);
    std::size_t next = 0;
    const std::int64_t start = clock_.ElapsedNow();
    const std::int64_t rang = TicksUntilDue(c, next, start);
    EXPECT_EQ(Seconds(rang), Seconds(c.ringsAfter));
    if (c.ringsAgainAfter == 0) continue;
    const std::int64_t firing = clock_.ElapsedNow();
    Arm(c);  // the daily repeat, armed by the tick that fired
    EXPECT_EQ(Seconds(TicksUntilDue(c, next, firing)), Seconds(c.ringsAgainAfter));
  }
}

TEST_F(AlarmClocksTest, TheCountdownFollowsRealTimeAcrossTheNightsTheClocksChange) {
  UseZone("Europe/Berlin");
  clock_.SetReal(Utc(2026, 10, 25, 0, 30));  // 02:30 summer time
  const Case c{"", "", 0, AlarmMode::Um, 7, 0, {}, "", 0};
  Arm(c);
  clock_.Pass(kHour);  // 02:30 winter time: the wall clock shows the same time
  EXPECT_EQ(SpanText(german_, CountdownValue(schedule_, clock_, ReadClock(clock_))), "04:30:00");
}

TEST_F(AlarmClocksTest, TheZoneLookupTellsUniqueSkippedAndRepeatedTimesApart) {
  UseZone("Europe/Berlin");
  const auto wall = [](int month, int day, int hour, int minute) {
    return Utc(2026, month, day, hour, minute);  // the same fields, read as local
  };
  const LocalTimeLookup unique = LookUpLocalTime(wall(12, 8, 7, 0));
  EXPECT_EQ(unique.kind, LocalTimeLookup::kUnique);
  EXPECT_EQ(unique.first, Utc(2026, 12, 8, 6, 0));
  const LocalTimeLookup skipped = LookUpLocalTime(wall(3, 29, 2, 30));
  EXPECT_EQ(skipped.kind, LocalTimeLookup::kSkipped);
  EXPECT_EQ(skipped.first, Utc(2026, 3, 29, 1, 0));  // 03:00 summer time
  const LocalTimeLookup repeated = LookUpLocalTime(wall(10, 25, 2, 30));
  EXPECT_EQ(repeated.kind, LocalTimeLookup::kRepeated);
  EXPECT_EQ(repeated.first, Utc(2026, 10, 25, 0, 30));  // 02:30 summer time
}

}  // namespace
}  // namespace klemvar
