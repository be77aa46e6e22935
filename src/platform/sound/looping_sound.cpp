#include "platform/sound/looping_sound.h"

namespace klemvar {

namespace {
LoopingSound* installed = nullptr;

LoopingSound& Current() { return installed ? *installed : QtLoopingSound(); }
}  // namespace

LoopingSound* SetLoopingSound(LoopingSound* sound) {
  LoopingSound* previous = installed;
  installed = sound;
  return previous;
}

void PlaySoundLooping(const QString& resource) { Current().PlayLooping(resource); }

void StopSound() { Current().Stop(); }

}  // namespace klemvar
