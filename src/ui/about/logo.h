#pragma once

// The About window's logo, decoded from the embedded JPEG.

#include <QImage>
#include <QString>

namespace klemvar {

inline constexpr char kAboutLogoResource[] = ":/about/logo.jpg";

// Where the logo is read from; kAboutLogoResource unless changed. Tests point it
// at damaged or missing data.
QString AboutLogoPath();
void SetAboutLogoPath(const QString& path);

// The decoded logo, or a null image when it is missing or damaged.
QImage AboutLogo();

}  // namespace klemvar
