// The About window's logo: the product name in navy on white.
#pragma once

#include <QImage>
#include <QString>

namespace klemvar::tools {

inline constexpr int kLogoWidth = 121;
inline constexpr int kLogoHeight = 37;

// Draws the name from its outlines (an SVG file); a null image when the file
// cannot be read.
QImage PaintLogo(const QString& svg_path);

}  // namespace klemvar::tools
