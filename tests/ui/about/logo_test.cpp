// The embedded logo, decoded the way the About window decodes it.

#include <cstdlib>

#include <gtest/gtest.h>

#include "ui/about/logo.h"

namespace klemvar {
namespace {

bool IsWhite(QColor c) { return c.red() >= 235 && c.green() >= 235 && c.blue() >= 235; }

TEST(AboutLogo, DecodesToTheControlSize) {
  const QImage logo = AboutLogo();
  ASSERT_FALSE(logo.isNull()) << "resource " << kAboutLogoResource << " missing or undecodable";
  EXPECT_EQ(logo.size(), QSize(121, 37));
}

TEST(AboutLogo, NavyNameOnWhite) {
  const QImage logo = AboutLogo();
  ASSERT_EQ(logo.size(), QSize(121, 37));
  for (QPoint corner : {QPoint(0, 0), QPoint(120, 0), QPoint(0, 36), QPoint(120, 36)})
    EXPECT_TRUE(IsWhite(logo.pixelColor(corner))) << corner.x() << "," << corner.y();

  // The lettering: its darkest pixel is navy, and it covers a fair share of the picture.
  QColor darkest = Qt::white;
  int navy = 0;
  for (int y = 0; y < logo.height(); ++y) {
    for (int x = 0; x < logo.width(); ++x) {
      const QColor c = logo.pixelColor(x, y);
      if (c.red() + c.green() + c.blue() < darkest.red() + darkest.green() + darkest.blue())
        darkest = c;
      if (c.red() < 48 && c.green() < 48 && std::abs(c.blue() - 128) < 40) ++navy;
    }
  }
  EXPECT_LT(darkest.red(), 32);
  EXPECT_LT(darkest.green(), 32);
  EXPECT_NEAR(darkest.blue(), 128, 32);
  EXPECT_GT(navy, 121 * 37 / 20);
}

}  // namespace
}  // namespace klemvar
