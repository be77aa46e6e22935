#include "ui/frame/maximise_box.h"

#include <QWidget>

#include "platform/session/window_system.h"

namespace klemvar {

namespace {

// Any step larger than a screen is never taken.
constexpr int kUnreachableStep = 10000;

}  // namespace

void KeepMaximiseBox(QWidget* window) {
  if (!OnX11()) return;
  // Qt hands the size steps on to the window system only once the native
  // window exists.
  window->createWinId();
  const QSize size = window->size();
  window->setMinimumSize(size);
  window->setMaximumSize(size.width(), size.height() + 1);
  // Window sizes are the base size plus whole steps.
  window->setBaseSize(size);
  window->setSizeIncrement(1, kUnreachableStep);
}

}  // namespace klemvar
