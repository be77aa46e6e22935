// The alarm bell, synthesised: a clapper rattling against one bell.
#pragma once

#include <cstdint>
#include <vector>

namespace klemvar::tools {

inline constexpr int kRingSampleRate = 11025;
inline constexpr int kRingFrames = 24047;
// Strikes stop here; the rest of the sound is the bell ringing out.
inline constexpr int kRingSteadyFrames = 22050;

// Renders the whole ring as 16-bit mono samples. The output depends on nothing
// but the constants in bell_synth.cpp, so every build produces the same file.
std::vector<std::int16_t> SynthesiseBell();

}  // namespace klemvar::tools
