#pragma once

// The About window's logo, decoded from the embedded JPEG.

#include <QImage>
#include <QString>

namespace klemvar {

inline constexpr char kAboutLogoResource[] = ":/about/logo.jpg";

// Points the logo at other data than kAboutLogoResource. Tests point it at
// damaged or missing data.
void SetAboutLogoPath(const QString& path);

// The decoded logo, or a null image when it is missing or damaged.
QImage AboutLogo();

}  // namespace klemvar
