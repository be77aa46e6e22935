// Windows bitmap output with every header field under our control: Qt's own BMP
// writer picks its own resolution and image-size fields.
#pragma once

#include <QImage>
#include <QString>

namespace klemvar::tools {

// Writes `image` as an uncompressed, bottom-up, 24-bit BMP at 96 dpi
// (3,780 pixels per metre). Transparent pixels must already be flattened.
bool WriteBmp24(const QImage& image, const QString& path);

}  // namespace klemvar::tools
