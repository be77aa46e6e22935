#include "platform/sound/wave_image.h"

#include <QtEndian>
#include <cstdint>

namespace klemvar {

namespace {

constexpr int kChunkHeader = 8;

std::uint32_t Le32(const char* at) { return qFromLittleEndian<std::uint32_t>(at); }
std::uint16_t Le16(const char* at) { return qFromLittleEndian<std::uint16_t>(at); }

bool ReadFormat(const char* body, std::uint32_t size, WaveImage& wave) {
  if (size < 16 || Le16(body) != 1) return false;  // PCM only
  wave.channels = Le16(body + 2);
  wave.sample_rate = static_cast<int>(Le32(body + 4));
  wave.bits_per_sample = Le16(body + 14);
  return wave.channels >= 1 && wave.channels <= 8 && wave.sample_rate >= 1000 &&
         wave.sample_rate <= 192000 && (wave.bits_per_sample == 8 || wave.bits_per_sample == 16);
}

}  // namespace

std::optional<WaveImage> ReadWaveImage(const QByteArray& image) {
  const char* data = image.constData();
  const qsizetype size = image.size();
  if (size < 12 || !image.startsWith("RIFF") || image.mid(8, 4) != "WAVE") return std::nullopt;
  WaveImage wave;
  bool have_format = false;
  qsizetype at = 12;
  while (at + kChunkHeader <= size) {
    const QByteArray id = image.mid(at, 4);
    const qsizetype body = at + kChunkHeader;
    const qsizetype length = qMin<qsizetype>(Le32(data + at + 4), size - body);
    if (id == "fmt ") {
      if (!ReadFormat(data + body, static_cast<std::uint32_t>(length), wave)) return std::nullopt;
      have_format = true;
    } else if (id == "data" && have_format) {
      const qsizetype frame = wave.channels * wave.bits_per_sample / 8;
      wave.samples = image.mid(body, length - length % frame);
      if (wave.samples.isEmpty()) return std::nullopt;
      return wave;
    }
    at = body + length + (length & 1);  // chunks are padded to even sizes
  }
  return std::nullopt;
}

}  // namespace klemvar
