#pragma once

// Encodes small pictures with libjpeg, so decoder tests carry no binary files.

#include <cstdio>
#include <cstdlib>

#include <QByteArray>
#include <QImage>

#include <jpeglib.h>

namespace klemvar::testing {

enum class JpegKind { kBaseline, kProgressive };

// Encodes `picture` as colour (or, with `grey`, one-channel) JFIF at quality 95
// with full-resolution chroma, so edges stay sharp enough to sample near them.
inline QByteArray EncodeJpeg(const QImage& picture, JpegKind kind, bool grey = false) {
  const QImage source =
      picture.convertToFormat(grey ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(source.width());
  cinfo.image_height = static_cast<JDIMENSION>(source.height());
  cinfo.input_components = grey ? 1 : 3;
  cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 95, TRUE);
  for (int c = 0; c < cinfo.num_components; ++c) {
    cinfo.comp_info[c].h_samp_factor = 1;
    cinfo.comp_info[c].v_samp_factor = 1;
  }
  if (kind == JpegKind::kProgressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row =
        const_cast<JSAMPROW>(source.constScanLine(static_cast<int>(cinfo.next_scanline)));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  QByteArray encoded(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
  std::free(buffer);
  return encoded;
}

// A 48 x 24 picture: red on the left half, blue on the right.
inline QImage RedBluePicture() {
  QImage picture(48, 24, QImage::Format_RGB888);
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      picture.setPixelColor(x, y, x < 24 ? QColor(220, 20, 20) : QColor(20, 20, 200));
  return picture;
}

}  // namespace klemvar::testing
