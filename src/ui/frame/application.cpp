#include "ui/frame/application.h"

#include <QLocale>
#include <QWidget>
#include <exception>

#include "platform/locale/qt_locale_source.h"
#include "platform/session/window_system.h"
#include "ui/frame/application_style.h"

namespace klemvar {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // Only the main window ends the program; other windows merely close.
  setQuitOnLastWindowClosed(false);
  // The menu bar is drawn in the window, whose layout keeps a row for it.
  // Allowed a global one, Qt would ask the session bus for a global menu
  // registrar as the menu bar is made, a wait before the window can map.
  setAttribute(Qt::AA_DontUseNativeMenuBar);
  setStyle(new TApplicationStyle(style()->name()));
  // Lets the desktop match the windows to the installed launcher and its icon.
  setDesktopFileName(QStringLiteral(KLEMVAR_APP_ID));
  KeepWindowClass();
  // The name the desktop, the session bus and screen readers know the program by.
  setApplicationName(QString::fromLatin1(kApplicationTitle));
  connect(this, &QGuiApplication::focusWindowChanged, this, &TApplication::RememberActive);
}

// On X11 the windows' class is the application's name, taken once, when the
// first window is created. The launcher knows the windows by the executable's
// name, so a first window is created, and dropped, before the name is set.
void TApplication::KeepWindowClass() {
  if (!OnX11()) return;
  QWindow first;
  first.create();
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  // Handlers stop their own errors at their boundary (handler.h). Whatever gets
  // here has already gone through Qt's frames and is a fault of the program: it
  // is logged, and the program goes on with the next event.
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    qCritical("Error escaped to the event loop: %s", error.what());
  } catch (...) {
    qCritical("Error escaped to the event loop");
  }
  return false;
}

bool TApplication::event(QEvent* event) {
  if (event->type() == QEvent::LocaleChange) ReadRegionalSettings();
  return QApplication::event(event);
}

void TApplication::RememberActive(QWindow* window) {
  // Menus and tooltips take no part in bringing the program to the front.
  if (window && window->type() != Qt::Popup && window->type() != Qt::ToolTip) lastActive_ = window;
}

QWidget* TApplication::LastActiveWindow() const {
  if (!lastActive_) return nullptr;
  for (QWidget* widget : topLevelWidgets()) {
    if (widget->windowHandle() == lastActive_) return widget;
  }
  return nullptr;
}

void TApplication::ReadRegionalSettings() {
  // The user's choice may have changed since the default locale was taken.
  if (QLocale() != QLocale::system()) QLocale::setDefault(QLocale::system());
  format_ = ReadFormatSettings(QtLocaleInfoSource());
}

TApplication& TheApplication() {
  return *qobject_cast<TApplication*>(QCoreApplication::instance());
}

}  // namespace klemvar
