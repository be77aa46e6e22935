#pragma once

// The real looping sound, from the sound module (sound_module.cpp), which brings
// libpulse and the audio server's libraries along; the program loads it
// only once a ring may be needed.

#include "platform/sound/looping_sound.h"

namespace klemvar {

// The real sound, loading the module on the first call. When the module cannot
// be loaded, a silent stand-in: no ring, as for any other failure of the sound.
LoopingSound& ModuleLoopingSound();

// The real sound if the module has been asked for already, else nullptr (then
// nothing can be playing).
LoopingSound* LoadedModuleLoopingSound();

}  // namespace klemvar
