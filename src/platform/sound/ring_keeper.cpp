#include "platform/sound/ring_keeper.h"

#include <utility>

namespace klemvar {

Q_LOGGING_CATEGORY(lcRing, "klemvar.ring")

RingKeeper::RingKeeper(StartTry start, RingRetryTimer& timer)
    : start_(std::move(start)), timer_(timer) {}

RingKeeper::~RingKeeper() { Stop(); }

void RingKeeper::Ring() {
  Stop();
  wanted_ = true;
  Try();
}

void RingKeeper::Stop() {
  wanted_ = false;
  timer_.Cancel();
  ++generation_;
  try_.reset();
  lost_ = false;
  failed_last_try_ = false;
}

void RingKeeper::RetryDue() {
  if (wanted_ && !try_) Try();
}

void RingKeeper::Try() {
  const unsigned generation = ++generation_;
  try_ = start_([this, generation](Outcome outcome) { Reported(generation, outcome); });
}

void RingKeeper::Reported(unsigned generation, Outcome outcome) {
  if (generation != generation_ || !wanted_) return;
  if (outcome == Outcome::kFailed) {
    Failed();
    return;
  }
  failed_last_try_ = false;
  if (lost_) {
    lost_ = false;
    qCInfo(lcRing, "the ring plays again");
  }
}

// The server, the connection or the stream may be gone for a while: say so
// once, then try again quietly.
void RingKeeper::Failed() {
  ++generation_;
  try_.reset();
  if (!lost_) {
    lost_ = true;
    qCWarning(
        lcRing,
        "the ring cannot play (no sound server, connection or stream); trying again every second");
  }
  timer_.Start(failed_last_try_ ? kRetry : kFirstRetry);
  failed_last_try_ = true;
}

}  // namespace klemvar
