#include "platform/sound/pulse_ring.h"

#include <utility>

#include "platform/sound/alsa_ring_try.h"
#include "platform/sound/pulse_ring_try.h"
#include "platform/sound/ring_route.h"

namespace klemvar {

namespace {

using Report = RingKeeper::Report;

RingPaths DevicePaths(std::shared_ptr<const WaveImage> sound, QObject* receiver) {
  return {
      .server =
          [=](Report report) { return StartPulseRingTry(sound, receiver, std::move(report)); },
      .alsa = [=](Report report) { return StartAlsaRingTry(sound, receiver, std::move(report)); },
      .probe = [=](Report report) { return StartPulseServerProbe(receiver, std::move(report)); },
      .every =
          [](std::chrono::seconds period, std::function<void()> tick) {
            auto timer = std::make_unique<QTimer>();
            timer->setTimerType(Qt::CoarseTimer);
            QObject::connect(timer.get(), &QTimer::timeout, std::move(tick));
            timer->start(period);
            return std::unique_ptr<QObject>(std::move(timer));
          }};
}

}  // namespace

PulseRing::PulseRing(QObject* parent)
    : QObject(parent),
      keeper_(
          [this](Report report) {
            return StartRoutedRingTry(DevicePaths(sound_, this), std::move(report));
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

}  // namespace klemvar
