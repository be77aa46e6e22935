#pragma once

#include <chrono>

namespace klemvar {

// How much of the ring each stream holds ahead of what is heard. A second
// outlasts any stall a fully loaded desktop gives a normal thread, so the loop
// never starves; it costs no delay, as each stream starts once it is filled in
// one go, nor a late stop, as a stop drops what is buffered.
inline constexpr std::chrono::milliseconds kRingBuffer{1000};

}  // namespace klemvar
