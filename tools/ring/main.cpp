// Writes the alarm bell as the RIFF WAVE file that the program embeds.
// Usage: klemvar_ringgen <output.wav>
#include <cstdio>
#include <fstream>

#include "ring/bell_synth.h"
#include "ring/riff_writer.h"

namespace {

// The player and the tests rely on this exact image size.
constexpr std::size_t kExpectedFileBytes = 48316;

}  // namespace

int main(int argc, char** argv) {
  using namespace klemvar::tools;
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output.wav>\n", argv[0]);
    return 2;
  }
  const WaveInfo info{"2003-05-14", "Quorbel Software", "Klemvar ringgen", "Klingel"};
  const auto file = BuildMonoWave(SynthesiseBell(), kRingSampleRate, info);
  if (file.size() != kExpectedFileBytes) {
    std::fprintf(stderr, "ring image has %zu bytes, expected %zu\n", file.size(),
                 kExpectedFileBytes);
    return 1;
  }
  std::ofstream out(argv[1], std::ios::binary);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  return out ? 0 : 1;
}
