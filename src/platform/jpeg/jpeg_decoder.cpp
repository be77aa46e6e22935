#include "platform/jpeg/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>

// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

namespace klemvar {
namespace {

// libjpeg's own error_exit ends the process. This one jumps back into
// Decompress() instead. `manager` must stay the first member: libjpeg hands the
// callbacks a pointer to it, and they cast it back to the whole trap.
struct ErrorTrap {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  bool damaged;
};

ErrorTrap* TrapOf(j_common_ptr cinfo) { return reinterpret_cast<ErrorTrap*>(cinfo->err); }

[[noreturn]] void JumpOnError(j_common_ptr cinfo) { std::longjmp(TrapOf(cinfo)->jump, 1); }

// Warnings about metadata leave the pixels intact; every other warning means
// libjpeg patched over missing or broken picture data (a truncated file is
// padded with grey), and such a picture is not shown.
bool HarmlessWarning(int code) {
  return code == JWRN_JFIF_MAJOR || code == JWRN_ADOBE_XFORM || code == JWRN_BOGUS_ICC;
}

// Called for warnings (level -1) and trace messages (level >= 0); decoding
// goes on either way and nothing is printed.
void NoteMessage(j_common_ptr cinfo, int msg_level) {
  if (msg_level >= 0) return;
  ++cinfo->err->num_warnings;
  if (!HarmlessWarning(cinfo->err->msg_code)) TrapOf(cinfo)->damaged = true;
}

void PrintNothing(j_common_ptr) {}

bool Fits(const jpeg_decompress_struct& cinfo) {
  const long long pixels =
      static_cast<long long>(cinfo.image_width) * static_cast<long long>(cinfo.image_height);
  return pixels > 0 && pixels <= kMaxJpegPixels;
}

// Every libjpeg call that may fail runs between the setjmp() here and the
// longjmp() in JumpOnError(). No object with a destructor lives in this frame
// and no local is read after the jump, so leaving by longjmp skips nothing.
// `out` belongs to the caller, whose frame the jump never crosses.
bool Decompress(jpeg_decompress_struct* cinfo, const unsigned char* data, unsigned long size,
                QImage* out) {
  if (setjmp(TrapOf(reinterpret_cast<j_common_ptr>(cinfo))->jump) != 0) return false;

  jpeg_create_decompress(cinfo);
  jpeg_mem_src(cinfo, data, size);
  jpeg_read_header(cinfo, TRUE);
  if (!Fits(*cinfo)) return false;
  cinfo->out_color_space = JCS_RGB;
  jpeg_start_decompress(cinfo);

  *out = QImage(static_cast<int>(cinfo->output_width), static_cast<int>(cinfo->output_height),
                QImage::Format_RGB888);
  if (out->isNull()) return false;
  while (cinfo->output_scanline < cinfo->output_height) {
    JSAMPROW row = out->scanLine(static_cast<int>(cinfo->output_scanline));
    // Memory input never suspends; a zero count would only loop for ever.
    if (jpeg_read_scanlines(cinfo, &row, 1) != 1) return false;
  }
  jpeg_finish_decompress(cinfo);
  return true;
}

}  // namespace

QImage DecodeJpeg(QByteArrayView data) {
  if (data.isEmpty()) return {};

  // Zeroed, so that destroying is safe even when creating failed half-way.
  jpeg_decompress_struct cinfo{};
  ErrorTrap trap{};
  cinfo.err = jpeg_std_error(&trap.manager);
  trap.manager.error_exit = JumpOnError;
  trap.manager.emit_message = NoteMessage;
  trap.manager.output_message = PrintNothing;

  QImage image;
  const bool complete = Decompress(&cinfo, reinterpret_cast<const unsigned char*>(data.data()),
                                   static_cast<unsigned long>(data.size()), &image);
  jpeg_destroy_decompress(&cinfo);

  if (!complete || trap.damaged) return {};
  return image;
}

}  // namespace klemvar
