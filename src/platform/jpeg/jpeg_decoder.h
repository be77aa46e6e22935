#pragma once

// Decodes a JPEG held in memory with libjpeg. Any failure (empty, truncated or
// damaged data, an unsupported colour space, a picture too large to hold) gives
// a null image; nothing is printed and the process never exits on bad data.

#include <QByteArrayView>
#include <QImage>

namespace klemvar {

// The largest picture accepted, in pixels: far above anything the program
// embeds, well below what a forged header could make it allocate.
inline constexpr long long kMaxJpegPixels = 16LL * 1024 * 1024;

// Returns the picture as QImage::Format_RGB888, or a null image.
QImage DecodeJpeg(QByteArrayView data);

}  // namespace klemvar
