// The application icon at every size, and the copies left for the install rules.
// Where the figures come from: the sizes are the hicolor sizes packaging/
// installs; the pixel counts (more than 300 opaque, 100 clear) are this file's
// own floor for "a drawn shape on a transparent ground" at 16 x 16 and up.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QSvgRenderer>

#include "resource_bytes.h"

namespace klemvar::test {
namespace {

const int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

QString IconPath(int size) { return QStringLiteral(":/icons/klemvar-%1.png").arg(size); }

TEST(AppIcon, EverySizeIsASquareClockWithTransparentCorners) {
  for (int size : kSizes) {
    const QImage icon(IconPath(size));
    ASSERT_EQ(icon.size(), QSize(size, size)) << size;
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << size;
    const QRgb middle = icon.pixel(size * 2 / 3, size / 2);  // on the red body
    EXPECT_EQ(qAlpha(middle), 255) << size;
    EXPECT_GT(qRed(middle), 2 * qGreen(middle)) << size;
  }
}

TEST(AppIcon, ProgramIconHasAOneBitMask) {
  const QImage icon(IconPath(32));
  int opaque = 0, clear = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const int alpha = qAlpha(icon.pixel(x, y));
      ASSERT_TRUE(alpha == 0 || alpha == 255) << x << "," << y << ": " << alpha;
      (alpha ? opaque : clear)++;
    }
  }
  EXPECT_GT(opaque, 300);
  EXPECT_GT(clear, 100);
}

TEST(AppIcon, ScalableSourceLoads) {
  QSvgRenderer svg(QStringLiteral(":/icons/klemvar.svg"));
  EXPECT_TRUE(svg.isValid());
  EXPECT_EQ(svg.viewBox().width(), svg.viewBox().height()) << "icon themes want it square";
}

TEST(AppIcon, BuildTreeCopiesMatchTheEmbeddedOnes) {
  const QString dir = QStringLiteral(KLEMVAR_ICON_DIR);
  for (int size : kSizes) {
    QFile file(QStringLiteral("%1/klemvar-%2.png").arg(dir).arg(size));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    EXPECT_TRUE(file.readAll() == ResourceBytes(IconPath(size))) << size;
  }
  EXPECT_TRUE(QFile::exists(dir + "/klemvar.svg"));
}

}  // namespace
}  // namespace klemvar::test
