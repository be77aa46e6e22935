#include "render/bmp_writer.h"

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QString>
#include <cstdint>

namespace klemvar::tools {
namespace {

constexpr int kFileHeaderBytes = 14;
constexpr int kInfoHeaderBytes = 40;
constexpr std::uint32_t kPixelsPerMetre = 3780;

void Put16(QByteArray& out, std::uint32_t v) {
  out.append(static_cast<char>(v & 0xFF));
  out.append(static_cast<char>((v >> 8) & 0xFF));
}

void Put32(QByteArray& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

int RowBytes(int width) { return (width * 3 + 3) / 4 * 4; }

QByteArray Headers(int width, int height) {
  const std::uint32_t pixel_bytes = RowBytes(width) * height;
  const std::uint32_t offset = kFileHeaderBytes + kInfoHeaderBytes;
  QByteArray out;
  out.append("BM");
  Put32(out, offset + pixel_bytes);
  Put32(out, 0);  // reserved
  Put32(out, offset);
  Put32(out, kInfoHeaderBytes);
  Put32(out, width);
  Put32(out, height);  // positive: the last row comes first
  Put16(out, 1);       // planes
  Put16(out, 24);      // bits per pixel
  Put32(out, 0);       // BI_RGB, no compression
  Put32(out, pixel_bytes);
  Put32(out, kPixelsPerMetre);
  Put32(out, kPixelsPerMetre);
  Put32(out, 0);  // colours used
  Put32(out, 0);  // important colours
  return out;
}

QByteArray Pixels(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  QByteArray out;
  const QByteArray padding(RowBytes(rgb.width()) - rgb.width() * 3, '\0');
  for (int y = rgb.height() - 1; y >= 0; --y) {
    const uchar* line = rgb.constScanLine(y);
    for (int x = 0; x < rgb.width(); ++x) {
      out.append(static_cast<char>(line[3 * x + 2]));  // stored as blue, green, red
      out.append(static_cast<char>(line[3 * x + 1]));
      out.append(static_cast<char>(line[3 * x]));
    }
    out.append(padding);
  }
  return out;
}

}  // namespace

bool WriteBmp24(const QImage& image, const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  const QByteArray bytes = Headers(image.width(), image.height()) + Pixels(image);
  return file.write(bytes) == bytes.size();
}

}  // namespace klemvar::tools
