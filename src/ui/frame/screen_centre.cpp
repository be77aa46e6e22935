#include "ui/frame/screen_centre.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace klemvar {

void CentreWindowOnScreen(QWidget* window) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect frame = window->frameGeometry();
  frame.moveCenter(screen->geometry().center());
  // A top-level window's position is that of its frame.
  window->move(frame.topLeft());
}

}  // namespace klemvar
