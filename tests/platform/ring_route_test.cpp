// Which way the ring goes: through the sound server when one answers, on ALSA
// when none answers the try; a ring lost mid-way, or lost on both, goes back to
// the keeper, which retries from the server; while it rings on ALSA, a server
// is looked for each second, and one that answers waits for the next ring.
// The paths are stand-ins that the test answers for; time is the test's.

#include <gtest/gtest.h>

#include <QObject>
#include <QPointer>
#include <functional>

#include "platform/sound/ring_route.h"
#include "ring_stand_ins.h"

namespace klemvar::testing {
namespace {

using namespace std::chrono_literals;
using Outcome = RingKeeper::Outcome;
using Outcomes = std::vector<Outcome>;

class RingRouteTest : public ::testing::Test {
 protected:
  RingPaths Paths() {
    return {.server = FakeTries(server_),
            .alsa = FakeTries(alsa_),
            .probe = FakeTries(probes_),
            .every = [this](std::chrono::seconds period, std::function<void()> tick) {
              EXPECT_EQ(period, 1s);
              tick_ = std::move(tick);
              auto looking = std::make_unique<QObject>();
              looking_ = looking.get();
              return looking;
            }};
  }

  std::unique_ptr<RingTry> StartRoute() {
    return StartRoutedRingTry(Paths(), [this](Outcome outcome) { told_.push_back(outcome); });
  }

  // The route as it stands once it rings on ALSA.
  std::unique_ptr<RingTry> RingOnAlsa() {
    auto route = StartRoute();
    server_.back()->report(Outcome::kFailed);
    alsa_.back()->report(Outcome::kPlaying);
    return route;
  }

  TryRecords server_, alsa_, probes_;
  Outcomes told_;  // what the keeper hears
  std::function<void()> tick_;
  QPointer<QObject> looking_;
};

TEST_F(RingRouteTest, AServerThatAnswersPlaysTheRing) {
  const auto route = StartRoute();
  ASSERT_EQ(server_.size(), 1u);
  server_.back()->report(Outcome::kPlaying);
  EXPECT_EQ(told_, Outcomes{Outcome::kPlaying});
  EXPECT_TRUE(alsa_.empty());
  EXPECT_FALSE(tick_);  // nothing to look for
}

TEST_F(RingRouteTest, NoServerFallsBackToAlsaWithinTheSameTry) {
  const auto route = StartRoute();
  server_.back()->report(Outcome::kFailed);
  EXPECT_TRUE(server_.back()->released);
  EXPECT_TRUE(told_.empty());  // the keeper sees one try, still starting
  ASSERT_EQ(alsa_.size(), 1u);
  alsa_.back()->report(Outcome::kPlaying);
  EXPECT_EQ(told_, Outcomes{Outcome::kPlaying});
  EXPECT_TRUE(looking_);
}

TEST_F(RingRouteTest, AlsaFailingMidRingFailsTheTryAndStopsLooking) {
  const auto route = RingOnAlsa();
  alsa_.back()->report(Outcome::kFailed);
  EXPECT_EQ(told_, (Outcomes{Outcome::kPlaying, Outcome::kFailed}));
  EXPECT_FALSE(looking_);
}

// A server that went away mid-ring is waited for: the keeper retries, and only
// a retry that finds no server goes to ALSA. A try that plays on neither path
// is retried from the server too.
TEST_F(RingRouteTest, TheKeeperRetriesALostRingFromTheServer) {
  FakeTimer timer;
  RingKeeper keeper(
      [this](RingKeeper::Report report) { return StartRoutedRingTry(Paths(), std::move(report)); },
      timer);
  keeper.Ring();
  server_.back()->report(Outcome::kPlaying);
  server_.back()->report(Outcome::kFailed);
  EXPECT_TRUE(server_.back()->released);
  EXPECT_TRUE(alsa_.empty());
  EXPECT_EQ(timer.delays, std::vector{400ms});

  keeper.RetryDue();
  ASSERT_EQ(server_.size(), 2u);
  server_.back()->report(Outcome::kFailed);  // still gone
  ASSERT_EQ(alsa_.size(), 1u);
  alsa_.back()->report(Outcome::kFailed);  // and ALSA plays nothing either
  EXPECT_TRUE(alsa_.back()->released);
  EXPECT_EQ(timer.delays, (std::vector{400ms, 1000ms}));

  keeper.RetryDue();
  EXPECT_EQ(server_.size(), 3u);
  EXPECT_EQ(alsa_.size(), 1u);
}

TEST_F(RingRouteTest, OnAlsaItLooksForAServerEachSecondWithOneProbeAtATime) {
  const auto route = RingOnAlsa();
  ASSERT_TRUE(tick_);
  tick_();
  tick_();  // the first probe still asks
  ASSERT_EQ(probes_.size(), 1u);
  probes_.back()->report(Outcome::kFailed);
  EXPECT_TRUE(probes_.back()->released);
  tick_();
  ASSERT_EQ(probes_.size(), 2u);

  probes_.back()->report(Outcome::kPlaying);
  EXPECT_TRUE(probes_.back()->released);
  EXPECT_FALSE(looking_);
  EXPECT_FALSE(alsa_.back()->released);  // switching would cut the ring short
  EXPECT_EQ(told_, Outcomes{Outcome::kPlaying});
}

TEST_F(RingRouteTest, ReleasingTheTryReleasesAllItHoldsAndDropsTheirLateReports) {
  auto route = RingOnAlsa();
  tick_();
  route.reset();
  EXPECT_TRUE(alsa_.back()->released);
  EXPECT_TRUE(probes_.back()->released);
  EXPECT_FALSE(looking_);

  server_.back()->report(Outcome::kFailed);
  alsa_.back()->report(Outcome::kFailed);
  probes_.back()->report(Outcome::kPlaying);
  EXPECT_EQ(told_, Outcomes{Outcome::kPlaying});
  EXPECT_EQ(alsa_.size(), 1u);
}

}  // namespace
}  // namespace klemvar::testing
