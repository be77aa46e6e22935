#include "logo/logo_painter.h"

#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QSvgRenderer>

namespace klemvar::tools {
namespace {

// JPEG codes the picture in 8 x 8 blocks, and a block with ink in it rings all
// over. Keeping the ink out of the corner blocks keeps the corners pure white.
constexpr int kMargin = 8;

// The drawing scaled as large as the margins allow, its proportions kept, centred.
QRectF InkBox(QSizeF drawing) {
  const QSizeF room(kLogoWidth - 2 * kMargin, kLogoHeight - 2 * kMargin);
  const QSizeF ink = drawing.scaled(room, Qt::KeepAspectRatio);
  return QRectF(QPointF((kLogoWidth - ink.width()) / 2.0, (kLogoHeight - ink.height()) / 2.0), ink);
}

}  // namespace

QImage PaintLogo(const QString& svg_path) {
  // The name comes as outlines, not as text: a font of the build machine's
  // would make the logo depend on which fonts, in which version and with
  // which hinting, that machine has.
  QSvgRenderer name(svg_path);
  if (!name.isValid()) return {};
  QImage image(kLogoWidth, kLogoHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  name.render(&painter, InkBox(name.viewBoxF().size()));
  return image;
}

}  // namespace klemvar::tools
