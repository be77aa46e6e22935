// Paints the About logo and writes it as a progressive JPEG whose size is as
// close as libjpeg's quality steps allow to the size the About window was laid
// out with.
// Usage: klemvar_logogen <logo.svg> <output.jpg>
#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include "logo/jpeg_encoder.h"
#include "logo/logo_painter.h"

namespace {

constexpr qsizetype kTargetBytes = 2376;

QByteArray ClosestToTarget(const QImage& logo) {
  QByteArray best;
  for (int quality = 30; quality <= 100; ++quality) {
    QByteArray jpeg = klemvar::tools::EncodeProgressiveJpeg(logo, quality);
    if (best.isEmpty() ||
        std::abs(jpeg.size() - kTargetBytes) < std::abs(best.size() - kTargetBytes))
      best = std::move(jpeg);
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);  // painting needs the GUI side of Qt
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <logo.svg> <output.jpg>\n", argv[0]);
    return 2;
  }
  const QImage logo = klemvar::tools::PaintLogo(QString::fromLocal8Bit(argv[1]));
  if (logo.isNull()) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  const QByteArray jpeg = ClosestToTarget(logo);
  QFile out(QString::fromLocal8Bit(argv[2]));
  return out.open(QIODevice::WriteOnly) && out.write(jpeg) == jpeg.size() ? 0 : 1;
}
