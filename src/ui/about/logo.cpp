#include "ui/about/logo.h"

#include <QFile>

#include "platform/jpeg/jpeg_decoder.h"

namespace klemvar {

namespace {

QString& LogoPath() {
  static QString path = QString::fromLatin1(kAboutLogoResource);
  return path;
}

}  // namespace

void SetAboutLogoPath(const QString& path) { LogoPath() = path; }

QImage AboutLogo() {
  QFile file(LogoPath());
  if (!file.open(QIODevice::ReadOnly)) return {};
  return DecodeJpeg(file.readAll());
}

}  // namespace klemvar
