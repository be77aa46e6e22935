#pragma once

// The download animation of the progress window.

#include <QImage>
#include <QString>
#include <optional>

namespace klemvar {

class TAnimate;

// The embedded clip: a horizontal strip of 272 x 60 frames.
inline constexpr const char* kDownloadClipPath = ":/anim/download.png";
inline constexpr int kDownloadFrameWidth = 272;

// The clip, read by the first animation that needs it and kept for the next.
class DownloadClip {
 public:
  // Reads the clip from path from now on; releases a loaded clip, so tests can
  // make the clip missing.
  void SetPath(const QString& path);

  // The loaded clip, ready to draw. Empty until an animation loads it, and again
  // after a load that failed, so the next animation tries anew.
  const std::optional<QImage>& Strip() const { return strip_; }

  // Plays the clip on animate from its first frame; it repeats until that window
  // is hidden. Throws std::runtime_error with kCannotOpenClipMessage when the
  // clip cannot be opened; the window then stays as it is, without animation.
  void Play(TAnimate& animate);

 private:
  void Load();

  QString path_ = QString::fromLatin1(kDownloadClipPath);
  std::optional<QImage> strip_;
};

}  // namespace klemvar
