// The entry point of the sound module: the ring on the PulseAudio protocol, loaded by
// looping_sound.cpp the first time a ring may be needed.

#include "platform/sound/looping_sound.h"

extern "C" Q_DECL_EXPORT klemvar::LoopingSound* klemvar_sound_module() {
  return &klemvar::AudioLoopingSound();
}
