// The alarm window's picture: an exact 24-bit Windows bitmap of the clock. Where
// the figures come from: 110 x 132 pixels, 24 bits, 3,780 pixels per metre and
// 43,878 bytes are the original picture's format (the sizes follow from it: rows
// of 332 bytes, 43,824 bytes of pixels, a 54-byte header); the colour thresholds
// are this file's own, loose enough for any drawing of a red clock with a bell.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include "resource_bytes.h"

namespace klemvar::test {
namespace {

class ClockBitmap : public ::testing::Test {
 protected:
  QByteArray bmp = ResourceBytes(":/pictures/weckdienst.bmp");
};

TEST_F(ClockBitmap, HeaderFields) {
  ASSERT_EQ(bmp.size(), 43878);
  EXPECT_EQ(bmp.left(2), "BM");
  EXPECT_EQ(Le32(bmp, 2), 43878u);   // file size
  EXPECT_EQ(Le32(bmp, 10), 54u);     // pixels follow the two headers
  EXPECT_EQ(Le32(bmp, 14), 40u);     // BITMAPINFOHEADER
  EXPECT_EQ(Le32(bmp, 18), 110u);    // width
  EXPECT_EQ(Le32(bmp, 22), 132u);    // height, positive: bottom-up rows
  EXPECT_EQ(Le16(bmp, 26), 1u);      // planes
  EXPECT_EQ(Le16(bmp, 28), 24u);     // bits per pixel
  EXPECT_EQ(Le32(bmp, 30), 0u);      // uncompressed
  EXPECT_EQ(Le32(bmp, 34), 43824u);  // 132 rows of 332 bytes
  EXPECT_EQ(Le32(bmp, 38), 3780u);   // 96 dpi
  EXPECT_EQ(Le32(bmp, 42), 3780u);
  EXPECT_EQ(Le32(bmp, 46), 0u);  // no palette
}

TEST_F(ClockBitmap, ShowsTheClockOnWhite) {
  const QImage image = QImage::fromData(bmp, "BMP");
  ASSERT_EQ(image.size(), QSize(110, 132));
  for (QPoint corner : {QPoint(0, 0), QPoint(109, 0), QPoint(0, 131), QPoint(109, 131)})
    EXPECT_EQ(image.pixelColor(corner), QColor(Qt::white));
  // Rows are stored bottom-up; a flipped picture would put the feet up here.
  const QColor body = image.pixelColor(75, 60);
  EXPECT_GT(body.red(), 180);
  EXPECT_LT(body.green(), 60);
  const QColor bell = image.pixelColor(39, 28);  // yellow bell above the body
  EXPECT_GT(bell.red(), 200);
  EXPECT_GT(bell.green(), 180);
  EXPECT_LT(bell.blue(), 80);
}

}  // namespace
}  // namespace klemvar::test
