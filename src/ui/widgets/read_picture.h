#pragma once

#include <QImage>

namespace klemvar {

// The picture at path, in the given format ("png", "bmp"), read by Qt's
// built-in reader for it; a null image when it cannot be read. Left to guess
// the format, Qt loads every image-format plugin, and Qt SVG with them, only
// to ask each whether it can read the picture.
QImage ReadPicture(const QString& path, const char* format);

}  // namespace klemvar
