#pragma once

// The ring, kept sounding by a RingKeeper with a QTimer between tries, each
// routed (ring_route.h) to the sound server or ALSA. Lives on the GUI thread.

#include <QObject>
#include <QTimer>
#include <memory>

#include "platform/sound/ring_keeper.h"
#include "platform/sound/wave_image.h"

namespace klemvar {

class PulseRing final : public QObject, private RingRetryTimer {
  Q_OBJECT

 public:
  explicit PulseRing(QObject* parent);

  void Play(std::shared_ptr<const WaveImage> sound);  // from the beginning, looping
  void Stop() { keeper_.Stop(); }
  bool Wanted() const { return keeper_.Wanted(); }

 private:
  void Start(std::chrono::milliseconds delay) override { retry_.start(delay); }
  void Cancel() override { retry_.stop(); }

  QTimer retry_;
  std::shared_ptr<const WaveImage> sound_;
  RingKeeper keeper_;
};

}  // namespace klemvar
