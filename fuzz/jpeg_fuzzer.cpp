// The logo's JPEG decoder with its error manager over arbitrary data: no crash,
// no exit, no leak, and a picture it returns is RGB888 within the pixel limit.

#include <cstdint>
#include <cstdlib>

#include "platform/jpeg/jpeg_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QImage image = klemvar::DecodeJpeg(
      QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  if (image.isNull()) return 0;
  if (image.format() != QImage::Format_RGB888) std::abort();
  if (static_cast<long long>(image.width()) * image.height() > klemvar::kMaxJpegPixels) {
    std::abort();
  }
  return 0;
}
