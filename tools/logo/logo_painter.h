// The About window's logo: the product name in navy on white.
#pragma once

#include <QImage>

namespace klemvar::tools {

inline constexpr int kLogoWidth = 121;
inline constexpr int kLogoHeight = 37;

QImage PaintLogo();

}  // namespace klemvar::tools
