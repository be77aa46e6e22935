#pragma once

// Keeps a looping ring sounding from Ring() to Stop() while the sound server
// comes and goes. Each try at playing either reaches the server and plays, or
// fails (no server, the connection lost, the stream killed); a failed try is
// released and a new one starts from the top of the recording: the first
// retry after kFirstRetry, each further one after kRetry, until one plays or
// Stop() comes. Stop() releases the try at once, whatever state it is in, and
// cancels a pending retry. While the server is missing the keeper logs one
// line when the ring is lost and one when it is back, none per retry.
//
// Everything runs on one thread; tries report back on that thread.

#include <QLoggingCategory>
#include <QObject>
#include <chrono>
#include <functional>
#include <memory>
#include <utility>

namespace klemvar {

Q_DECLARE_LOGGING_CATEGORY(lcRing)

// One try at playing: whatever it holds (connection, stream, thread) goes when
// it is destroyed, and then it reports nothing more.
class RingTry {
 public:
  virtual ~RingTry() = default;
};

// The one-shot timer between tries.
class RingRetryTimer {
 public:
  virtual ~RingRetryTimer() = default;
  virtual void Start(std::chrono::milliseconds delay) = 0;
  virtual void Cancel() = 0;
};

class RingKeeper {
 public:
  enum class Outcome { kPlaying, kFailed };
  using Report = std::function<void(Outcome)>;
  // Starts a try that plays from the beginning and loops. It must not report
  // from within this call; kFailed may follow kPlaying when playback stops.
  using StartTry = std::function<std::unique_ptr<RingTry>(Report report)>;

  static constexpr std::chrono::milliseconds kFirstRetry{400};
  static constexpr std::chrono::milliseconds kRetry{1000};

  RingKeeper(StartTry start, RingRetryTimer& timer);
  ~RingKeeper();

  void Ring();  // (re)starts from the beginning
  void Stop();
  void RetryDue();  // the retry timer's timeout

  bool Wanted() const { return wanted_; }

 private:
  void Try();
  void Reported(unsigned generation, Outcome outcome);
  void Failed();

  StartTry start_;
  RingRetryTimer& timer_;
  std::unique_ptr<RingTry> try_;
  unsigned generation_ = 0;  // tells a released try's late reports apart
  bool wanted_ = false;
  bool lost_ = false;             // the "lost" line was logged, "back" not yet
  bool failed_last_try_ = false;  // the next retry waits kRetry, not kFirstRetry
};

// How a try tells its outcome from whichever thread it runs on: queued to
// `receiver`'s thread, which must outlive the try; a failure once, as it ends the try.
class RingReport {
 public:
  RingReport(QObject* receiver, RingKeeper::Report report)
      : receiver_(receiver), report_(std::move(report)) {}
  void Tell(RingKeeper::Outcome outcome) {
    if (failed_) return;
    failed_ = outcome == RingKeeper::Outcome::kFailed;
    QMetaObject::invokeMethod(
        receiver_, [report = report_, outcome] { report(outcome); }, Qt::QueuedConnection);
  }

 private:
  QObject* receiver_;
  RingKeeper::Report report_;
  bool failed_ = false;
};

}  // namespace klemvar
