// Minimise requests that reach the window but never its widget state. Qt's
// Wayland plugin clears the minimised state again as soon as its own window
// decoration asked for it, because xdg-shell never reports minimisation; only
// the window's state signal carries the request. Elsewhere the same signal just
// precedes the state change that ApplyWindowState handles, and this finds the
// window hidden already.

#include <QWindow>

#include "ui/weckmich/weckmich.h"

namespace klemvar {

void TFormKlemvar::FollowWindowState() {
  if (QWindow* window = windowHandle())
    connect(window, &QWindow::windowStateChanged, this, &TFormKlemvar::WindowStateRequested,
            Qt::UniqueConnection);
}

void TFormKlemvar::WindowStateRequested(Qt::WindowState state) {
  // Later, not here: the request may come from inside the decoration's own
  // mouse handling, which hiding the window would tear down under it.
  if (state & Qt::WindowMinimized)
    QMetaObject::invokeMethod(this, &TFormKlemvar::MinimiseRequested, Qt::QueuedConnection);
}

void TFormKlemvar::MinimiseRequested() {
  // Whatever came in between (the window already hidden, or brought back,
  // which clears the request) settles it.
  QWindow* window = windowHandle();
  if (!window || !(window->windowStates() & Qt::WindowMinimized)) return;
  if (!isVisible() || !TrayIconShown()) return;
  // Left in the window's state, the request would be made again when the
  // window is next shown, and it would come back minimised.
  window->setWindowStates(window->windowStates() & ~Qt::WindowMinimized);
  hide();
}

}  // namespace klemvar
