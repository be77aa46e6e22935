#pragma once

// The download animation of the progress window.

#include <QImage>
#include <QString>
#include <optional>

namespace klemvar {

// The embedded clip: a horizontal strip of 272 x 60 frames.
inline constexpr const char* kDownloadClipPath = ":/anim/download.png";
inline constexpr int kDownloadFrameWidth = 272;

// The clip at path, ready to draw; empty when it is missing or holds no whole frame.
std::optional<QImage> ReadDownloadClip(const QString& path);

}  // namespace klemvar
