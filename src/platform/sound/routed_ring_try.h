#pragma once

// One try at looping a sound wherever the desktop plays it: through a
// PulseAudio-protocol server (PulseAudio, PipeWire), and when none answers, on
// ALSA's default device. It reports as one try: kPlaying once either plays,
// kFailed when neither can, or when the one that played stops. Reports are
// queued to `receiver`'s thread; once the try is destroyed none arrive.

#include <QObject>
#include <memory>

#include "platform/sound/ring_keeper.h"
#include "platform/sound/wave_image.h"

namespace klemvar {

// `receiver` must outlive the try.
std::unique_ptr<RingTry> StartRoutedRingTry(std::shared_ptr<const WaveImage> sound,
                                            QObject* receiver, RingKeeper::Report report);

}  // namespace klemvar
