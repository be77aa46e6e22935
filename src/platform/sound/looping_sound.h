#pragma once

// One looping sound per process, played from an embedded resource. Starting
// returns at once, loops without a gap until stopped and replaces (restarts) any
// sound playing; stopping while silent does nothing. Failures stay silent.

#include <QString>

namespace klemvar {

class LoopingSound {
 public:
  virtual ~LoopingSound() = default;
  // resource is a Qt resource path such as ":/sounds/RING.wav".
  virtual void PlayLooping(const QString& resource) = 0;
  virtual void Stop() = 0;
};

// The real sound on the desktop's audio: a PulseAudio-protocol server through
// libpulse, else ALSA's default device through libasound, kept sounding while
// the server comes and goes. It lives in the sound module (sound_module.cpp),
// which the program loads on first need; only the module and tests of the real
// sound itself link it (klemvar_sound_pulse).
LoopingSound& AudioLoopingSound();

// Installs the sound every later call goes through; nullptr restores the real one.
// Returns the previous one.
LoopingSound* SetLoopingSound(LoopingSound* sound);

// Loads the real sound ahead of its first start, so that the start is prompt;
// does nothing when it is loaded already or a double is installed. Playing
// loads it as well, at the latest.
void PrepareLoopingSound();

void PlaySoundLooping(const QString& resource);
void StopSound();

}  // namespace klemvar
