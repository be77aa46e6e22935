#include "ui/download/DownloadAnim.h"

#include "ui/download/animate_control.h"
#include "ui/widgets/read_picture.h"

namespace klemvar {

void DownloadClip::SetPath(const QString& path) {
  path_ = path;
  strip_.reset();
}

void DownloadClip::Play(TAnimate& animate) {
  if (!strip_) Load();
  animate.SetClip(strip_.value_or(QImage()), kDownloadFrameWidth);
  animate.Play();
}

// Leaves the strip empty when the clip is missing or holds no whole frame.
void DownloadClip::Load() {
  const QImage strip = ReadPicture(path_, "png");
  if (strip.isNull() || strip.width() < kDownloadFrameWidth) return;
  strip_ = strip.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace klemvar
