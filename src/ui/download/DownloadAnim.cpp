#include "ui/download/DownloadAnim.h"

#include "ui/widgets/read_picture.h"

namespace klemvar {

std::optional<QImage> ReadDownloadClip(const QString& path) {
  const QImage strip = ReadPicture(path, "png");
  if (strip.isNull() || strip.width() < kDownloadFrameWidth) return std::nullopt;
  return strip.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace klemvar
