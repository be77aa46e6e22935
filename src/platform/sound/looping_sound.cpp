#include "platform/sound/looping_sound.h"

#include "platform/sound/sound_loader.h"

namespace klemvar {

namespace {
LoopingSound* installed = nullptr;
}  // namespace

LoopingSound* SetLoopingSound(LoopingSound* sound) {
  LoopingSound* previous = installed;
  installed = sound;
  return previous;
}

void PrepareLoopingSound() {
  if (!installed) ModuleLoopingSound();
}

void PlaySoundLooping(const QString& resource) {
  (installed ? *installed : ModuleLoopingSound()).PlayLooping(resource);
}

// A real sound that was never loaded has nothing to stop, and is not loaded for it.
void StopSound() {
  LoopingSound* sound = installed ? installed : LoadedModuleLoopingSound();
  if (sound) sound->Stop();
}

}  // namespace klemvar
