#pragma once

// Stand-ins for the ring's timers and tries: time is the test's, and each try
// records its report, so the test can answer for the sound later, and whether
// it has been released.

#include <chrono>
#include <memory>
#include <vector>

#include "platform/sound/ring_keeper.h"

namespace klemvar::testing {

class FakeTimer final : public RingRetryTimer {
 public:
  void Start(std::chrono::milliseconds delay) override {
    delays.push_back(delay);
    running = true;
  }
  void Cancel() override { running = false; }

  std::vector<std::chrono::milliseconds> delays;
  bool running = false;
};

struct TryRecord {
  RingKeeper::Report report;
  bool released = false;
};

class FakeTry final : public RingTry {
 public:
  explicit FakeTry(TryRecord& record) : record_(record) {}
  ~FakeTry() override { record_.released = true; }

 private:
  TryRecord& record_;
};

using TryRecords = std::vector<std::unique_ptr<TryRecord>>;

// Starts fake tries, each recorded at the end of `records`.
inline RingKeeper::StartTry FakeTries(TryRecords& records) {
  return [&records](RingKeeper::Report report) {
    records.push_back(std::make_unique<TryRecord>(TryRecord{std::move(report)}));
    return std::make_unique<FakeTry>(*records.back());
  };
}

}  // namespace klemvar::testing
