#include "render/svg_raster.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <optional>

namespace klemvar::tools {
namespace {

QRectF FittedRect(QSizeF drawing, QSize target) {
  const QSizeF scaled = drawing.scaled(QSizeF(target), Qt::KeepAspectRatio);
  return QRectF(
      QPointF((target.width() - scaled.width()) / 2.0, (target.height() - scaled.height()) / 2.0),
      scaled);
}

// Maps every pixel through `f`, keeping the image's straight (not premultiplied) alpha.
template <typename F>
QImage MapPixels(const QImage& image, F f) {
  QImage out = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < out.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) line[x] = f(line[x]);
  }
  return out;
}

}  // namespace

QImage RenderSvg(const QString& svg_path, QSize size, std::optional<QRectF> view) {
  QSvgRenderer renderer(svg_path);
  if (!renderer.isValid()) return {};
  if (view) renderer.setViewBox(*view);
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  renderer.render(&painter, FittedRect(renderer.viewBoxF().size(), size));
  painter.end();
  return image.convertToFormat(QImage::Format_ARGB32);
}

QImage Greyed(const QImage& image) {
  return MapPixels(image, [](QRgb p) {
    const int grey = 96 + qGray(p) * 5 / 8;  // lifted towards the button face
    return qRgba(grey, grey, grey, qAlpha(p));
  });
}

QImage WithOneBitMask(const QImage& image) {
  return MapPixels(image,
                   [](QRgb p) { return qAlpha(p) >= 128 ? (p | 0xFF000000u) : qRgba(0, 0, 0, 0); });
}

QImage Flattened(const QImage& image, QColor background) {
  QImage out(image.size(), QImage::Format_RGB32);
  out.fill(background);
  QPainter painter(&out);
  painter.drawImage(0, 0, image);
  return out;
}

}  // namespace klemvar::tools
