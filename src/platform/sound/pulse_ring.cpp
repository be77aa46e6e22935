#include "platform/sound/pulse_ring.h"

#include <utility>

#include "platform/sound/routed_ring_try.h"

namespace klemvar {

PulseRing::PulseRing(QObject* parent)
    : QObject(parent),
      keeper_(
          [this](RingKeeper::Report report) {
            return StartRoutedRingTry(sound_, this, std::move(report));
          },
          *this) {
  retry_.setSingleShot(true);
  retry_.setTimerType(Qt::CoarseTimer);
  connect(&retry_, &QTimer::timeout, this, [this] { keeper_.RetryDue(); });
}

void PulseRing::Play(std::shared_ptr<const WaveImage> sound) {
  keeper_.Stop();
  sound_ = std::move(sound);
  keeper_.Ring();
}

void PulseRing::Stop() { keeper_.Stop(); }

void PulseRing::Start(std::chrono::milliseconds delay) { retry_.start(delay); }

void PulseRing::Cancel() { retry_.stop(); }

}  // namespace klemvar
