// The embedded logo, decoded the way the About window decodes it.

#include <QFile>

#include <gtest/gtest.h>

#include "platform/jpeg/jpeg_decoder.h"
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

  // The lettering: pixels well away from white, navy on average (edges blend
  // into the white and JPEG ringing scatters single pixels), and a fair share.
  long ink = 0, red = 0, green = 0, blue = 0;
  for (int y = 0; y < logo.height(); ++y) {
    for (int x = 0; x < logo.width(); ++x) {
      const QColor c = logo.pixelColor(x, y);
      if (c.red() + c.green() + c.blue() >= 3 * 128) continue;
      ++ink;
      red += c.red();
      green += c.green();
      blue += c.blue();
    }
  }
  ASSERT_GT(ink, 121 * 37 / 20);
  EXPECT_LT(red / ink, 40);
  EXPECT_LT(green / ink, 40);
  EXPECT_NEAR(blue / ink, 128, 24);
}

QByteArray LogoBytes() {
  QFile file(QString::fromLatin1(kAboutLogoResource));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Damage to the real logo, not just to test pictures: every cut, and a scan
// broken off by a stray marker, leaves no picture.
TEST(AboutLogo, DamagedCopiesFail) {
  const QByteArray logo = LogoBytes();
  ASSERT_FALSE(DecodeJpeg(logo).isNull());
  for (qsizetype length = 0; length < logo.size(); ++length)
    ASSERT_TRUE(DecodeJpeg(logo.left(length)).isNull()) << "cut at " << length;

  QByteArray strayMarker = logo;
  strayMarker.insert(logo.size() * 3 / 4, "\xFF\xD5", 2);
  EXPECT_TRUE(DecodeJpeg(strayMarker).isNull());
  QByteArray notJpeg = logo;
  notJpeg[1] = 'X';  // the start-of-image marker
  EXPECT_TRUE(DecodeJpeg(notJpeg).isNull());
}

}  // namespace
}  // namespace klemvar
