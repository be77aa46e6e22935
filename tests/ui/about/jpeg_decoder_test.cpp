// The libjpeg decoder: good pictures in both codings, and every kind of bad
// input ending in a null image without a crash, an exit or a printed word.

#include <cstdlib>
#include <random>

#include <gtest/gtest.h>

#include "platform/jpeg/jpeg_decoder.h"
#include "ui/about/test_jpeg.h"

namespace klemvar {
namespace {

using testing::EncodeJpeg;
using testing::JpegKind;
using testing::RedBluePicture;

bool Near(QColor actual, QColor expected, int tolerance = 12) {
  return std::abs(actual.red() - expected.red()) <= tolerance &&
         std::abs(actual.green() - expected.green()) <= tolerance &&
         std::abs(actual.blue() - expected.blue()) <= tolerance;
}

// Position of the marker FF `code`, or -1.
qsizetype FindMarker(const QByteArray& jpeg, unsigned char code) {
  for (qsizetype i = 0; i + 1 < jpeg.size(); ++i)
    if (static_cast<unsigned char>(jpeg[i]) == 0xFF &&
        static_cast<unsigned char>(jpeg[i + 1]) == code)
      return i;
  return -1;
}

void PutBigEndian16(QByteArray& jpeg, qsizetype at, int value) {
  jpeg[at] = static_cast<char>(value >> 8);
  jpeg[at + 1] = static_cast<char>(value & 0xFF);
}

// The frame header's height and width follow its marker, length and precision.
void SetFrameSize(QByteArray& jpeg, int width, int height) {
  const qsizetype sof = FindMarker(jpeg, 0xC2);
  ASSERT_GE(sof, 0);
  PutBigEndian16(jpeg, sof + 5, height);
  PutBigEndian16(jpeg, sof + 7, width);
}

QImage DecodeQuietly(const QByteArray& jpeg, std::string* printed) {
  ::testing::internal::CaptureStderr();
  ::testing::internal::CaptureStdout();
  QImage image = DecodeJpeg(jpeg);
  *printed = ::testing::internal::GetCapturedStderr() + ::testing::internal::GetCapturedStdout();
  return image;
}

class GoodPicture : public ::testing::TestWithParam<JpegKind> {};

TEST_P(GoodPicture, DecodesSizeAndColours) {
  const QImage image = DecodeJpeg(EncodeJpeg(RedBluePicture(), GetParam()));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(48, 24));
  EXPECT_EQ(image.format(), QImage::Format_RGB888);
  for (QPoint p : {QPoint(0, 0), QPoint(10, 12), QPoint(20, 23)})
    EXPECT_TRUE(Near(image.pixelColor(p), QColor(220, 20, 20))) << p.x() << "," << p.y();
  for (QPoint p : {QPoint(28, 0), QPoint(40, 12), QPoint(47, 23)})
    EXPECT_TRUE(Near(image.pixelColor(p), QColor(20, 20, 200))) << p.x() << "," << p.y();
}

TEST_P(GoodPicture, GreyBecomesEqualChannels) {
  QImage grey(17, 9, QImage::Format_Grayscale8);
  grey.fill(QColor(200, 200, 200));
  const QImage image = DecodeJpeg(EncodeJpeg(grey, GetParam(), /*grey=*/true));
  ASSERT_EQ(image.size(), QSize(17, 9));
  EXPECT_TRUE(Near(image.pixelColor(16, 8), QColor(200, 200, 200), 2));
}

// Every cut, from one byte to all but the last, is refused: libjpeg would pad
// the missing rows with grey and only warn.
TEST_P(GoodPicture, EveryTruncationFails) {
  const QByteArray jpeg = EncodeJpeg(RedBluePicture(), GetParam());
  for (qsizetype length = 1; length < jpeg.size(); ++length)
    ASSERT_TRUE(DecodeJpeg(jpeg.left(length)).isNull()) << "cut at " << length;
}

INSTANTIATE_TEST_SUITE_P(Codings, GoodPicture,
                         ::testing::Values(JpegKind::kBaseline, JpegKind::kProgressive),
                         [](const auto& info) {
                           return info.param == JpegKind::kBaseline ? "Baseline" : "Progressive";
                         });

TEST(DecodeJpeg, EmptyInputFails) {
  EXPECT_TRUE(DecodeJpeg(QByteArrayView()).isNull());
  EXPECT_TRUE(DecodeJpeg(QByteArray("")).isNull());
  const char byte = '\xFF';
  EXPECT_TRUE(DecodeJpeg(QByteArrayView(&byte, qsizetype{0})).isNull());
}

TEST(DecodeJpeg, CorruptInputFailsSilently) {
  QByteArray zeroWidth = EncodeJpeg(RedBluePicture(), JpegKind::kProgressive);
  SetFrameSize(zeroWidth, 0, 24);
  // A marker in the middle of the entropy-coded data cuts the scan short.
  QByteArray brokenScan = EncodeJpeg(RedBluePicture(), JpegKind::kBaseline);
  const qsizetype sos = FindMarker(brokenScan, 0xDA);
  ASSERT_GE(sos, 0);
  brokenScan.insert((sos + brokenScan.size()) / 2, "\xFF\xD3", 2);
  QByteArray noHeader = EncodeJpeg(RedBluePicture(), JpegKind::kBaseline);
  noHeader.remove(0, 2);

  const QByteArray cases[] = {QByteArray("GIF89a and nothing like a JPEG"),
                              QByteArray("\xFF\xD8\xFF\xFF garbage after the start", 25), zeroWidth,
                              brokenScan, noHeader};
  for (const QByteArray& jpeg : cases) {
    std::string printed;
    EXPECT_TRUE(DecodeQuietly(jpeg, &printed).isNull()) << jpeg.left(12).toHex().constData();
    EXPECT_EQ(printed, "");
  }
}

// A forged header must not make the decoder allocate gigabytes.
TEST(DecodeJpeg, OversizedHeaderIsRefused) {
  QByteArray huge = EncodeJpeg(RedBluePicture(), JpegKind::kProgressive);
  SetFrameSize(huge, 65000, 65000);
  EXPECT_TRUE(DecodeJpeg(huge).isNull());
}

// An unknown JFIF revision is only a warning about metadata: the picture stays.
TEST(DecodeJpeg, HarmlessWarningKeepsPicture) {
  QByteArray jpeg = EncodeJpeg(RedBluePicture(), JpegKind::kProgressive);
  ASSERT_EQ(jpeg.mid(6, 5), QByteArray("JFIF\0", 5));
  jpeg[11] = 2;  // major version
  std::string printed;
  const QImage image = DecodeQuietly(jpeg, &printed);
  EXPECT_EQ(image.size(), QSize(48, 24));
  EXPECT_EQ(printed, "");
}

// Random damage anywhere in the file: whatever comes out, the process lives on
// and a picture that does come out stays within the size limit.
TEST(DecodeJpeg, RandomDamageNeverCrashes) {
  const QByteArray original = EncodeJpeg(RedBluePicture(), JpegKind::kProgressive);
  std::mt19937 random(20240611);
  std::uniform_int_distribution<qsizetype> position(0, original.size() - 1);
  std::uniform_int_distribution<int> byte(0, 255);
  int refused = 0;
  for (int round = 0; round < 3000; ++round) {
    QByteArray damaged = original;
    for (int hits = 1 + round % 4; hits > 0; --hits)
      damaged[position(random)] = static_cast<char>(byte(random));
    const QImage image = DecodeJpeg(damaged);
    if (image.isNull()) {
      ++refused;
      continue;
    }
    EXPECT_LE(qint64(image.width()) * image.height(), kMaxJpegPixels);
  }
  EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace klemvar
