#include "logo/logo_painter.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QString>

namespace klemvar::tools {
namespace {

const QString kName = QStringLiteral("Klemvar");
// JPEG codes the picture in 8 x 8 blocks, and a block with ink in it rings all
// over. Keeping the ink out of the corner blocks keeps the corners pure white.
constexpr int kMargin = 8;

// The largest bold sans font whose rendering of the name fits inside the margins.
QFont FittingFont() {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setBold(true);
  for (int pixels = kLogoHeight; pixels > 6; --pixels) {
    font.setPixelSize(pixels);
    const QRectF box = QFontMetricsF(font).tightBoundingRect(kName);
    if (box.width() <= kLogoWidth - 2 * kMargin && box.height() <= kLogoHeight - 2 * kMargin) break;
  }
  return font;
}

}  // namespace

QImage PaintLogo() {
  QImage image(kLogoWidth, kLogoHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  const QFont font = FittingFont();
  const QRectF box = QFontMetricsF(font).tightBoundingRect(kName);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setFont(font);
  painter.setPen(QColor(0, 0, 128));
  // tightBoundingRect is relative to the baseline origin; centre the ink itself.
  const QPointF origin((kLogoWidth - box.width()) / 2.0 - box.left(),
                       (kLogoHeight - box.height()) / 2.0 - box.top());
  painter.drawText(origin, kName);
  return image;
}

}  // namespace klemvar::tools
