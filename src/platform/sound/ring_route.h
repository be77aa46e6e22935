#pragma once

// Which way a ring goes, as one try to the keeper: through a PulseAudio-protocol
// server (PulseAudio, PipeWire), and on ALSA's default device when none answers
// this try. It reports kPlaying once either plays, kFailed when neither can, or
// when the one that played stops; once it is destroyed, nothing.

#include <QObject>
#include <chrono>
#include <functional>
#include <memory>

#include "platform/sound/ring_keeper.h"

namespace klemvar {

// What a route starts; each reports later than its start, on the route's thread.
struct RingPaths {
  RingKeeper::StartTry server;  // plays through the sound server
  RingKeeper::StartTry alsa;    // plays on ALSA's default device
  RingKeeper::StartTry probe;   // only asks whether a server answers: kPlaying when one does
  // Calls `tick` every `period` until the object it gives is destroyed.
  std::function<std::unique_ptr<QObject>(std::chrono::seconds period, std::function<void()> tick)>
      every;
};

std::unique_ptr<RingTry> StartRoutedRingTry(RingPaths paths, RingKeeper::Report report);

}  // namespace klemvar
