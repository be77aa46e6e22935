#include "ui/frame/application_icon.h"

#include <QFile>

namespace klemvar {

QIcon ApplicationIcon() {
  QIcon icon;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QString file = QStringLiteral(":/icons/klemvar-%1.png").arg(size);
    if (QFile::exists(file)) icon.addFile(file, QSize(size, size));
  }
  return icon;
}

}  // namespace klemvar
