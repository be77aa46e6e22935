#pragma once

// The PCM samples of a RIFF WAVE image, as a player needs them: the sample
// format and the data chunk, trimmed to whole frames. Chunks other than `fmt `
// and `data` are skipped.

#include <QByteArray>
#include <optional>

namespace klemvar {

struct WaveImage {
  int channels = 0;
  int sample_rate = 0;
  int bits_per_sample = 0;  // 8 (unsigned) or 16 (signed, little-endian)
  QByteArray samples;       // never empty
};

// Reads uncompressed PCM; anything else, or a damaged image, gives nothing.
std::optional<WaveImage> ReadWaveImage(const QByteArray& image);

}  // namespace klemvar
