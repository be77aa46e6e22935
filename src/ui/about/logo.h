#pragma once

// The About window's logo, decoded from the embedded JPEG.

#include <QImage>

namespace klemvar {

inline constexpr char kAboutLogoResource[] = ":/about/logo.jpg";

// The decoded logo, or a null image when it is missing or damaged.
QImage AboutLogo();

}  // namespace klemvar
