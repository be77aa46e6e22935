// A RIFF WAVE image: PCM data followed by the descriptive chunks a sound editor
// leaves behind (INFO tags, a cue point and a labelled region over the sound).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace klemvar::tools {

struct WaveInfo {
  std::string creation_date;  // ICRD
  std::string engineer;       // IENG
  std::string software;       // ISFT
  std::string region_label;   // labl of the region that spans the sound
};

std::vector<std::uint8_t> BuildMonoWave(const std::vector<std::int16_t>& samples, int sample_rate,
                                        const WaveInfo& info);

}  // namespace klemvar::tools
