// Button and menu pictures at both densities, and the download animation strip.
// Where the figures come from: 272 x 60 is the frame size of the download clip
// the progress window plays (DownloadAnim.h); the pixel counts are this file's
// own floor for "the picture shows its colour", well below what tools/render draws.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QString>

namespace klemvar::test {
namespace {

struct Picture {
  const char* path;  // without ".png"
  int size;
};

const Picture kPictures[] = {
    {":/buttons/tick", 18},  {":/buttons/tick-disabled", 18},
    {":/buttons/cross", 16}, {":/menu/beenden", 16},
    {":/menu/email", 16},    {":/menu/page", 16},
    {":/menu/globe", 16},    {":/menu/info", 16},
};

// Counts opaque pixels whose colour passes `test`.
template <typename F>
int Count(const QImage& image, F test) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      n += c.alpha() == 255 && test(c);
    }
  return n;
}

TEST(Pictures, EachHasItsSizeAndDoubleDensityVariant) {
  for (const Picture& p : kPictures) {
    const QImage normal(QString::fromLatin1(p.path) + ".png");
    const QImage dense(QString::fromLatin1(p.path) + "@2x.png");
    EXPECT_EQ(normal.size(), QSize(p.size, p.size)) << p.path;
    EXPECT_EQ(dense.size(), QSize(2 * p.size, 2 * p.size)) << p.path;
    // The toolkit took the bottom-left pixel as the transparent colour.
    EXPECT_EQ(normal.pixelColor(0, p.size - 1).alpha(), 0) << p.path;
  }
}

TEST(Pictures, ColoursSayWhatTheyAre) {
  const auto green = [](QColor c) { return c.green() > c.red() + 60 && c.green() > c.blue() + 60; };
  const auto grey = [](QColor c) { return c.red() == c.green() && c.green() == c.blue(); };
  const auto red = [](QColor c) { return c.red() > 150 && c.green() < 80 && c.blue() < 80; };
  const auto white = [](QColor c) { return c.lightness() > 240; };
  const auto blue = [](QColor c) { return c.blue() > c.red() + 80; };

  const QImage tick(":/buttons/tick@2x.png");
  const QImage disabled(":/buttons/tick-disabled@2x.png");
  EXPECT_GT(Count(tick, green), 100);
  EXPECT_EQ(Count(disabled, green), 0);
  EXPECT_EQ(Count(disabled, grey), Count(disabled, [](QColor) { return true; }));
  EXPECT_GT(Count(QImage(":/buttons/cross@2x.png"), red), 300);
  EXPECT_GT(Count(QImage(":/buttons/cross@2x.png"), white), 40);
  EXPECT_GT(Count(QImage(":/menu/beenden@2x.png"), green), 80);
  EXPECT_GT(Count(QImage(":/menu/info@2x.png"), blue), 300);
  EXPECT_GT(Count(QImage(":/menu/info@2x.png"), white), 40);
}

TEST(DownloadAnimation, StripOfMovingFrames) {
  const QImage strip(":/anim/download.png");
  ASSERT_EQ(strip.height(), 60);
  ASSERT_EQ(strip.width() % 272, 0);
  const int frames = strip.width() / 272;
  EXPECT_GE(frames, 8);
  for (int f = 1; f < frames; ++f)
    EXPECT_NE(strip.copy((f - 1) * 272, 0, 272, 60), strip.copy(f * 272, 0, 272, 60))
        << "frame " << f << " repeats its predecessor";
}

}  // namespace
}  // namespace klemvar::test
