// The About logo: a progressive JFIF 1.01 JPEG of the product name. Where the
// figures come from: 121 x 37 pixels, progressive, JFIF 1.01 at 96 dpi are the
// original logo's format; 2,100..2,700 bytes brackets the original's size with
// room for the encoder's choices; the colour counts are this file's own floor for
// navy lettering on white.
#include <gtest/gtest.h>

#include <QByteArray>
#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include <jpeglib.h>

#include "resource_bytes.h"

namespace klemvar::test {
namespace {

std::uint32_t Be16(const QByteArray& b, qsizetype at) {
  return static_cast<std::uint8_t>(b[at]) << 8 | static_cast<std::uint8_t>(b[at + 1]);
}

// Offset of the first marker segment with `code`, walking the headers; -1 if none.
qsizetype FindSegment(const QByteArray& jpeg, std::uint8_t code) {
  qsizetype at = 2;
  while (at + 4 <= jpeg.size() && static_cast<std::uint8_t>(jpeg[at]) == 0xFF) {
    const auto marker = static_cast<std::uint8_t>(jpeg[at + 1]);
    if (marker == code) return at;
    if (marker == 0xDA) break;  // scan data follows; headers are over
    at += 2 + Be16(jpeg, at + 2);
  }
  return -1;
}

struct Rgb {
  int r, g, b;
};

// Decodes with libjpeg into rows of RGB pixels.
std::vector<std::vector<Rgb>> Decode(const QByteArray& jpeg) {
  jpeg_decompress_struct cinfo{};
  jpeg_error_mgr error{};
  cinfo.err = jpeg_std_error(&error);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(jpeg.constData()), jpeg.size());
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  std::vector<std::vector<Rgb>> rows;
  std::vector<unsigned char> line(cinfo.output_width * 3);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = line.data();
    jpeg_read_scanlines(&cinfo, &row, 1);
    auto& out = rows.emplace_back();
    for (std::size_t x = 0; x < cinfo.output_width; ++x)
      out.push_back({line[3 * x], line[3 * x + 1], line[3 * x + 2]});
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return rows;
}

class Logo : public ::testing::Test {
 protected:
  QByteArray jpeg = ResourceBytes(":/about/logo.jpg");
};

TEST_F(Logo, ProgressiveJfif101At96DpiOfAboutTheDesignedSize) {
  ASSERT_GT(jpeg.size(), 4);
  EXPECT_EQ(Be16(jpeg, 0), 0xFFD8u);
  EXPECT_GE(jpeg.size(), 2100);
  EXPECT_LE(jpeg.size(), 2700);

  const qsizetype app0 = FindSegment(jpeg, 0xE0);
  ASSERT_EQ(app0, 2) << "JFIF header first";
  EXPECT_EQ(jpeg.mid(app0 + 4, 5), QByteArray("JFIF", 5));
  EXPECT_EQ(jpeg[app0 + 9], 1);   // version 1.
  EXPECT_EQ(jpeg[app0 + 10], 1);  // .01
  EXPECT_EQ(jpeg[app0 + 11], 1);  // dots per inch
  EXPECT_EQ(Be16(jpeg, app0 + 12), 96u);
  EXPECT_EQ(Be16(jpeg, app0 + 14), 96u);

  EXPECT_EQ(FindSegment(jpeg, 0xC0), -1) << "no baseline frame";
  const qsizetype sof2 = FindSegment(jpeg, 0xC2);
  ASSERT_GT(sof2, 0);
  EXPECT_EQ(Be16(jpeg, sof2 + 5), 37u);   // height
  EXPECT_EQ(Be16(jpeg, sof2 + 7), 121u);  // width
  EXPECT_EQ(jpeg[sof2 + 9], 3) << "colour";
}

TEST_F(Logo, NavyNameOnWhite) {
  const auto pixels = Decode(jpeg);
  ASSERT_EQ(pixels.size(), 37u);
  ASSERT_EQ(pixels[0].size(), 121u);
  for (auto [x, y] : {std::pair{0, 0}, {120, 0}, {0, 36}, {120, 36}}) {
    const Rgb c = pixels[y][x];
    EXPECT_EQ(std::min({c.r, c.g, c.b}), 255) << x << "," << y;
  }
  int navy = 0;
  for (const auto& row : pixels)
    for (const Rgb& c : row) navy += c.r < 40 && c.g < 40 && c.b > 90 && c.b < 170;
  EXPECT_GT(navy, 200) << "pixels of the lettering";
}

}  // namespace
}  // namespace klemvar::test
