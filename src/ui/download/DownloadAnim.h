#pragma once

// The download animation of the progress window.

#include <QImage>
#include <QString>
#include <optional>

namespace klemvar {

// The embedded clip: a horizontal strip of 272 x 60 frames.
inline constexpr const char* kDownloadClipPath = ":/anim/download.png";
inline constexpr int kDownloadFrameWidth = 272;

// The loaded clip, ready to draw. Empty until the first animation loads it (and
// again after a load that failed, so the next animation tries anew); released by
// FreeAnimationLibrary, which also runs by itself when the application ends,
// unless it has run already.
extern std::optional<QImage> AnimationLibrary;

void FreeAnimationLibrary();

// Loads the clip from path instead of kDownloadClipPath. It releases a loaded
// clip, so tests can make the clip missing.
void SetDownloadClipPath(const QString& path);

// Starts the clip on FormDownload's Animate from its first frame; it repeats until
// that window is hidden. Throws std::runtime_error with kCannotOpenClipMessage when
// the clip cannot be opened; the window then stays as it is, without animation.
// Does nothing while no progress window exists.
void StartDownloadAnimation();

}  // namespace klemvar
