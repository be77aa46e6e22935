#include "ui/download/DownloadAnim.h"

#include <QCoreApplication>

#include "ui/download/DownloadStatus.h"
#include "ui/download/animate_control.h"
#include "ui/widgets/read_picture.h"

namespace klemvar {

std::optional<QImage> AnimationLibrary;

namespace {

QString clipPath = QString::fromLatin1(kDownloadClipPath);

// Leaves AnimationLibrary empty when the clip is missing or holds no whole frame.
void LoadAnimationLibrary() {
  const QImage strip = ReadPicture(clipPath, "png");
  if (strip.isNull() || strip.width() < kDownloadFrameWidth) return;
  AnimationLibrary = strip.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  // Released with the application object; registered once however often loaded.
  qRemovePostRoutine(FreeAnimationLibrary);
  qAddPostRoutine(FreeAnimationLibrary);
}

}  // namespace

void FreeAnimationLibrary() {
  AnimationLibrary.reset();
  // Freed once: the program's teardown frees it before the application goes.
  qRemovePostRoutine(FreeAnimationLibrary);
}

void SetDownloadClipPath(const QString& path) {
  clipPath = path;
  FreeAnimationLibrary();
}

void StartDownloadAnimation() {
  if (!FormDownload) return;
  TAnimate* const animate = FormDownload->Animate;
  animate->Stop();
  if (!AnimationLibrary) LoadAnimationLibrary();
  animate->SetClip(AnimationLibrary.value_or(QImage()), kDownloadFrameWidth);
  animate->Play();
}

}  // namespace klemvar
