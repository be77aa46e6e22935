#include "platform/sound/routed_ring_try.h"

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

  void FromAlsa(Outcome outcome) { report_(outcome); }

  std::shared_ptr<const WaveImage> sound_;
  QObject* receiver_;
  RingKeeper::Report report_;
  std::unique_ptr<RingTry> current_;
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
