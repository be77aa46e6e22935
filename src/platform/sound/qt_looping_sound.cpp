#include <QCoreApplication>
#include <QFile>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>

#include "platform/sound/looping_sound.h"

namespace klemvar {

namespace {

// The effect exists only while it plays, so an idle program holds no connection
// to the audio server. It is a child of the application object: a ring still
// playing at the end of the program ends with it.
class QtSound final : public LoopingSound {
 public:
  void PlayLooping(const QString& resource) override {
    Stop();  // a new start always begins at the top of the recording
    if (!QFile::exists(resource)) return;
    effect_ = new QSoundEffect(QCoreApplication::instance());
    effect_->setSource(QUrl(QStringLiteral("qrc") + resource));
    effect_->setLoopCount(QSoundEffect::Infinite);
    effect_->play();  // starts as soon as the source is decoded
  }

  void Stop() override {
    if (!effect_) return;
    effect_->stop();
    delete effect_;
  }

 private:
  QPointer<QSoundEffect> effect_;
};

}  // namespace

LoopingSound& QtLoopingSound() {
  static QtSound sound;
  return sound;
}

}  // namespace klemvar
