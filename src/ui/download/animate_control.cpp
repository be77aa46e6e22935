#include "ui/download/animate_control.h"

#include <QHideEvent>
#include <QPainter>
#include <QTimer>
#include <stdexcept>

#include "ui/frame/handler.h"

namespace klemvar {

TAnimate::TAnimate(QWidget* parent) : QWidget(parent), timer_(new QTimer(this)) {
  timer_->setObjectName("FrameTimer");
  timer_->setInterval(kFrameIntervalMs);
  connect(timer_, &QTimer::timeout, this, Handler(this, &TAnimate::NextFrame));
}

void TAnimate::SetClip(const QImage& strip, int frameWidth) {
  Stop();
  const bool usable = !strip.isNull() && frameWidth > 0 && strip.width() >= frameWidth;
  strip_ = usable ? strip : QImage();
  frameWidth_ = usable ? frameWidth : 0;
  frameCount_ = usable ? strip.width() / frameWidth : 0;
  frame_ = 0;
  update();
}

void TAnimate::Play() {
  Stop();
  if (frameCount_ == 0) throw std::runtime_error(kCannotOpenClipMessage);
  frame_ = 0;
  playing_ = true;
  if (isVisible()) timer_->start();
  update();
}

void TAnimate::Stop() {
  playing_ = false;
  timer_->stop();
}

void TAnimate::NextFrame() {
  frame_ = (frame_ + 1) % frameCount_;
  update();
}

void TAnimate::paintEvent(QPaintEvent*) {
  if (frameCount_ == 0) return;
  const QRect source(frame_ * frameWidth_, 0, frameWidth_, strip_.height());
  QRect target(QPoint(0, 0), source.size());
  target.moveCenter(rect().center());
  QPainter(this).drawImage(target, strip_, source);
}

void TAnimate::showEvent(QShowEvent*) {
  if (playing_) timer_->start();
}

// Hiding the window ends the clip. A hide that the window system does on its
// own (minimising, another desktop) only pauses it until the window is back.
void TAnimate::hideEvent(QHideEvent* event) {
  timer_->stop();
  if (!event->spontaneous()) playing_ = false;
}

}  // namespace klemvar
