#include "platform/sound/ring_route.h"

#include <utility>

namespace klemvar {

namespace {

using Outcome = RingKeeper::Outcome;

// The route's state outlives neither the try nor its reports: the reports of
// the inner tries hold it weakly, and those of a released try are dropped.
class Route final : public std::enable_shared_from_this<Route> {
 public:
  Route(RingPaths paths, RingKeeper::Report report)
      : paths_(std::move(paths)), report_(std::move(report)) {}

  void Start() { current_ = paths_.server(Relay(&Route::FromServer)); }

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
    current_ = paths_.alsa(Relay(&Route::FromAlsa));
  }

  // A server that comes while it rings on ALSA takes the next ring, as
  // switching would cut this one in the middle.
  void FromAlsa(Outcome outcome) {
    if (outcome == Outcome::kPlaying && !look_)
      look_ = paths_.every(kLookEvery, [this] { Look(); });
    if (outcome == Outcome::kFailed) look_.reset();
    report_(outcome);
  }

  void Look() {
    if (!probe_) probe_ = paths_.probe(Relay(&Route::Looked));
  }

  void Looked(Outcome outcome) {
    probe_.reset();
    if (outcome != Outcome::kPlaying) return;
    look_.reset();
    qCInfo(lcRing, "a sound server answers; the ring goes on on ALSA, the next one plays there");
  }

  static constexpr std::chrono::seconds kLookEvery{1};

  RingPaths paths_;
  RingKeeper::Report report_;
  std::unique_ptr<RingTry> current_;
  std::unique_ptr<QObject> look_;
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

std::unique_ptr<RingTry> StartRoutedRingTry(RingPaths paths, RingKeeper::Report report) {
  return std::make_unique<RoutedRingTry>(
      std::make_shared<Route>(std::move(paths), std::move(report)));
}

}  // namespace klemvar
