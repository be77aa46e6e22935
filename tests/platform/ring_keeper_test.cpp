// The ring keeper's schedule: a failed try is released and retried after
// 0.4 s, then every second, until one plays; Stop releases whatever try there
// is, also one still connecting, and cancels the retry; the loss and the
// return are logged once each. Time is the fake timer's: nothing waits.

#include <gtest/gtest.h>

#include <QString>
#include <QtGlobal>
#include <chrono>
#include <memory>
#include <vector>

#include "ring_stand_ins.h"

namespace klemvar::testing {
namespace {

using namespace std::chrono_literals;
using Outcome = RingKeeper::Outcome;

int ring_lines = 0;

void CountRingLines(QtMsgType, const QMessageLogContext& context, const QString&) {
  if (context.category && QString::fromLatin1(context.category) == "klemvar.ring") ++ring_lines;
}

class RingKeeperTest : public ::testing::Test {
 protected:
  RingKeeperTest() : keeper_(FakeTries(tries_), timer_) {
    ring_lines = 0;
    previous_handler_ = qInstallMessageHandler(CountRingLines);
  }
  ~RingKeeperTest() override { qInstallMessageHandler(previous_handler_); }

  TryRecord& Last() { return *tries_.back(); }

  FakeTimer timer_;
  TryRecords tries_;
  RingKeeper keeper_;
  QtMessageHandler previous_handler_;
};

TEST_F(RingKeeperTest, RetriesAfterFourTenthsThenEverySecondUntilOnePlays) {
  keeper_.Ring();
  ASSERT_EQ(tries_.size(), 1u);

  Last().report(Outcome::kFailed);  // no server
  EXPECT_TRUE(Last().released);
  EXPECT_EQ(tries_.size(), 1u);  // nothing before the timer
  ASSERT_TRUE(timer_.running);
  EXPECT_EQ(timer_.delays.back(), 400ms);

  for (int attempt = 2; attempt <= 4; ++attempt) {
    keeper_.RetryDue();
    ASSERT_EQ(tries_.size(), static_cast<size_t>(attempt));
    Last().report(Outcome::kFailed);
    EXPECT_TRUE(Last().released);
    EXPECT_EQ(timer_.delays.back(), 1000ms);
  }

  keeper_.RetryDue();
  Last().report(Outcome::kPlaying);
  EXPECT_FALSE(Last().released);
  EXPECT_EQ(timer_.delays.size(), 4u);

  // Lost again while playing (the server killed): the first retry is quick again.
  Last().report(Outcome::kFailed);
  EXPECT_EQ(timer_.delays.back(), 400ms);
}

TEST_F(RingKeeperTest, StopReleasesATryStillConnectingAndItsLateReportIsIgnored) {
  keeper_.Ring();
  TryRecord& connecting = Last();
  keeper_.Stop();
  EXPECT_TRUE(connecting.released);

  connecting.report(Outcome::kFailed);  // queued before the release
  EXPECT_FALSE(timer_.running);
  EXPECT_TRUE(timer_.delays.empty());
  EXPECT_EQ(tries_.size(), 1u);
}

TEST_F(RingKeeperTest, StopCancelsThePendingRetry) {
  keeper_.Ring();
  Last().report(Outcome::kFailed);
  ASSERT_TRUE(timer_.running);

  keeper_.Stop();
  EXPECT_FALSE(timer_.running);
  keeper_.RetryDue();  // a timeout that was already on its way
  EXPECT_EQ(tries_.size(), 1u);
}

TEST_F(RingKeeperTest, LogsTheLossOnceAndTheReturnOnce) {
  keeper_.Ring();
  for (int attempt = 0; attempt < 5; ++attempt) {
    Last().report(Outcome::kFailed);
    keeper_.RetryDue();
  }
  EXPECT_EQ(ring_lines, 1);
  Last().report(Outcome::kPlaying);
  EXPECT_EQ(ring_lines, 2);
}

}  // namespace
}  // namespace klemvar::testing
