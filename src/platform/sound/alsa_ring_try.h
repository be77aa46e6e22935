#pragma once

// One try at looping a sound on ALSA's `default` device, for a desktop with no
// sound server. A thread of its own opens the device and keeps its buffer
// full; it reports kPlaying once the first samples are in and kFailed when the
// device cannot be opened or set up, fails for good, or is itself routed to a
// sound server (which the server's own try has just failed to reach). Reports
// are queued to `receiver`'s thread. Destroying it drops what the device still
// holds, so the sound stops at once.

#include <QObject>
#include <memory>

#include "platform/sound/ring_keeper.h"
#include "platform/sound/wave_image.h"

namespace klemvar {

// `receiver` must outlive the try.
std::unique_ptr<RingTry> StartAlsaRingTry(std::shared_ptr<const WaveImage> sound, QObject* receiver,
                                          RingKeeper::Report report);

}  // namespace klemvar
