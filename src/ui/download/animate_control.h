#pragma once

// An animation control: plays a clip, a horizontal strip of equal frames,
// centred in its area over the window's own background.

#include <QImage>
#include <QWidget>

class QTimer;

namespace klemvar {

// The control's error when it is told to play without a clip it can show.
inline constexpr const char* kCannotOpenClipMessage = "AVI kann nicht geöffnet werden";

class TAnimate : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kFrameIntervalMs = 100;  // 10 frames per second

  explicit TAnimate(QWidget* parent = nullptr);

  // Selects a clip: the strip holds as many frames of frameWidth pixels as fit
  // whole. A null strip, or one narrower than a frame, leaves the control without
  // a clip. Stops playing.
  void SetClip(const QImage& strip, int frameWidth);

  // Plays the clip from its first frame to its last, over and over, until the
  // window is hidden. Throws std::runtime_error with kCannotOpenClipMessage when
  // there is no clip. The frame timer only runs while the control is visible.
  void Play();
  void Stop();

  bool Playing() const { return playing_; }
  int FrameCount() const { return frameCount_; }
  int CurrentFrame() const { return frame_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void NextFrame();

  QImage strip_;
  int frameWidth_ = 0;
  int frameCount_ = 0;
  int frame_ = 0;
  bool playing_ = false;
  QTimer* const timer_;
};

}  // namespace klemvar
