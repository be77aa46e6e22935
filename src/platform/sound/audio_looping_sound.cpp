#include <QCoreApplication>
#include <QFile>
#include <QPointer>
#include <memory>
#include <optional>

#include "platform/sound/looping_sound.h"
#include "platform/sound/pulse_ring.h"
#include "platform/sound/wave_image.h"

namespace klemvar {

namespace {

std::optional<WaveImage> ReadResource(const QString& resource) {
  QFile file(resource);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return ReadWaveImage(file.readAll());
}

// The ring holds a connection to the audio server only while it is wanted, so
// an idle program holds none. It is a child of the application object: a ring
// still playing at the end of the program ends with it.
class AudioSound final : public LoopingSound {
 public:
  void PlayLooping(const QString& resource) override {
    Stop();  // a new start always begins at the top of the recording
    std::optional<WaveImage> sound = ReadResource(resource);
    if (!sound || !QCoreApplication::instance()) return;
    if (!ring_) ring_ = new PulseRing(QCoreApplication::instance());
    ring_->Play(std::make_shared<const WaveImage>(std::move(*sound)));
  }

  void Stop() override {
    if (ring_) ring_->Stop();
  }

 private:
  QPointer<PulseRing> ring_;
};

}  // namespace

LoopingSound& AudioLoopingSound() {
  static AudioSound sound;
  return sound;
}

}  // namespace klemvar
