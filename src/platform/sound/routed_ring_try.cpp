#include "platform/sound/routed_ring_try.h"

#include <QTimer>
#include <utility>

#include "platform/sound/alsa_ring_try.h"
#include "platform/sound/pulse_ring_try.h"

namespace klemvar {

namespace {

using Outcome = RingKeeper::Outcome;

// The route's state outlives neither the try nor its reports: the reports of
// the inner tries hold it weakly, and those of a released try are dropped.
class Route final : public std::enable_shared_from_this<Route> {
 public:
  Route(std::shared_ptr<const WaveImage> sound, QObject* receiver, RingKeeper::Report report)
      : sound_(std::move(sound)), receiver_(receiver), report_(std::move(report)) {}

  void Start() { current_ = StartPulseRingTry(sound_, receiver_, Relay(&Route::FromServer)); }

 private:
  RingKeeper::Report Relay(void (Route::*step)(Outcome)) {
    return [route = weak_from_this(), step](Outcome outcome) {
      if (auto self = route.lock()) (self.get()->*step)(outcome);
    };
  }

  // A server that played and went away is the keeper's to wait for; ALSA
  // stands in only for a server that never answered this try.
  void FromServer(Outcome outcome) {
    if (outcome == Outcome::kPlaying) played_ = true;
    if (outcome == Outcome::kPlaying || played_) {
      report_(outcome);
      return;
    }
    current_.reset();
    current_ = StartAlsaRingTry(sound_, receiver_, Relay(&Route::FromAlsa));
  }

  // While it rings on ALSA, it looks for a server once a second; one that
  // comes takes the next ring, as switching would cut this one in the middle.
  void FromAlsa(Outcome outcome) {
    if (outcome == Outcome::kPlaying && !look_) {
      look_ = std::make_unique<QTimer>();
      look_->setTimerType(Qt::CoarseTimer);
      QObject::connect(look_.get(), &QTimer::timeout, [route = weak_from_this()] {
        if (auto self = route.lock()) self->Look();
      });
      look_->start(kLookEvery);
    }
    if (outcome == Outcome::kFailed) look_.reset();
    report_(outcome);
  }

  void Look() {
    if (!probe_) probe_ = StartPulseServerProbe(receiver_, Relay(&Route::Looked));
  }

  void Looked(Outcome outcome) {
    probe_.reset();
    if (outcome != Outcome::kPlaying) return;
    look_.reset();
    qCInfo(lcRing, "a sound server answers; the ring goes on on ALSA, the next one plays there");
  }

  static constexpr std::chrono::seconds kLookEvery{1};

  std::shared_ptr<const WaveImage> sound_;
  QObject* receiver_;
  RingKeeper::Report report_;
  std::unique_ptr<RingTry> current_;
  std::unique_ptr<QTimer> look_;
  std::unique_ptr<RingTry> probe_;
  bool played_ = false;
};

class RoutedRingTry final : public RingTry {
 public:
  explicit RoutedRingTry(std::shared_ptr<Route> route) : route_(std::move(route)) {
    route_->Start();
  }

 private:
  std::shared_ptr<Route> route_;
};

}  // namespace

std::unique_ptr<RingTry> StartRoutedRingTry(std::shared_ptr<const WaveImage> sound,
                                            QObject* receiver, RingKeeper::Report report) {
  return std::make_unique<RoutedRingTry>(
      std::make_shared<Route>(std::move(sound), receiver, std::move(report)));
}

}  // namespace klemvar
