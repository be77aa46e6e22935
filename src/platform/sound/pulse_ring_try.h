#pragma once

// One try at looping a sound through a PulseAudio server (PipeWire's PulseAudio
// server included): its own connection and playback stream, run by libpulse's
// threaded main loop. It reports kPlaying once the stream plays and kFailed
// when the server is missing, the connection is lost or the stream is killed;
// reports are queued to `receiver`'s thread and never arrive once the try is
// destroyed. Destroying it closes the stream and the connection at once, also
// in the middle of connecting.

#include <QObject>
#include <memory>

#include "platform/sound/ring_keeper.h"
#include "platform/sound/wave_image.h"

namespace klemvar {

// `receiver` must outlive the try.
std::unique_ptr<RingTry> StartPulseRingTry(std::shared_ptr<const WaveImage> sound,
                                           QObject* receiver, RingKeeper::Report report);

// Only asks whether a server answers: kPlaying when one does, kFailed when none.
std::unique_ptr<RingTry> StartPulseServerProbe(QObject* receiver, RingKeeper::Report report);

}  // namespace klemvar
