#include "ui/about/logo.h"

#include <QFile>

#include "platform/jpeg/jpeg_decoder.h"

namespace klemvar {

QImage AboutLogo() {
  QFile file(QString::fromLatin1(kAboutLogoResource));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return DecodeJpeg(file.readAll());
}

}  // namespace klemvar
