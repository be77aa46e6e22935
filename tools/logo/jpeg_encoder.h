// Progressive JFIF encoding through libjpeg's own compression API.
#pragma once

#include <QByteArray>
#include <QImage>

namespace klemvar::tools {

// Encodes `image` as a progressive colour JPEG with a JFIF 1.01 header that
// states 96 dots per inch. `quality` is libjpeg's 1..100 scale.
QByteArray EncodeProgressiveJpeg(const QImage& image, int quality);

}  // namespace klemvar::tools
