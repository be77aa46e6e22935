// Rasterising the SVG sources of the program's pictures.
#pragma once

#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>
#include <optional>

namespace klemvar::tools {

// Renders `svg_path` into a transparent image of `size`. The drawing keeps its
// aspect ratio and is centred; `view` picks a part of the drawing instead of the
// whole. An empty image means the source could not be read.
QImage RenderSvg(const QString& svg_path, QSize size, std::optional<QRectF> view = std::nullopt);

// The same picture as it looks on a disabled control: light grey, same shape.
QImage Greyed(const QImage& image);

// Every pixel fully opaque or fully transparent, as a colour image with a one-bit mask.
QImage WithOneBitMask(const QImage& image);

// The picture over an opaque background.
QImage Flattened(const QImage& image, QColor background);

}  // namespace klemvar::tools
