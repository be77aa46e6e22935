#include "ui/widgets/read_picture.h"

#include <QImageReader>

namespace klemvar {

QImage ReadPicture(const QString& path, const char* format) {
  QImageReader reader(path, format);
  reader.setAutoDetectImageFormat(false);
  return reader.read();
}

}  // namespace klemvar
