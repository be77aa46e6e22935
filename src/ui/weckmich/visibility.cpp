// The tray icon, its menu, and the rules by which the main window goes into
// the tray and comes back.

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QWindowStateChangeEvent>

#include "ui/frame/application.h"
#include "ui/frame/application_icon.h"
#include "ui/frame/handler.h"
#include "ui/weckmich/weckmich.h"

namespace klemvar {

void TFormKlemvar::CreateTrayIcon() {
  PopupMenu = new QMenu(this);
  PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
  PopupMenu->setFont(font());
  Weckereinstellen1 = PopupMenu->addAction(QStringLiteral("Wecker anzeigen"));
  Weckereinstellen1->setObjectName(QStringLiteral("Weckereinstellen1"));
  Beenden1 = PopupMenu->addAction(QStringLiteral("Beenden"));
  Beenden1->setObjectName(QStringLiteral("Beenden1"));
  PopupMenu->setDefaultAction(Weckereinstellen1);  // drawn in bold
  connect(Weckereinstellen1, &QAction::triggered, this,
          Handler(this, &TFormKlemvar::Weckereinstellen1Click));
  connect(Beenden1, &QAction::triggered, this, Handler(this, &TFormKlemvar::Beenden1Click));

  AddTrayIcon();
}

bool TFormKlemvar::TrayIconShown() const { return TrayIcon && trayHost_.Docked(*TrayIcon); }

void TFormKlemvar::TrayIconActivated(QSystemTrayIcon::ActivationReason reason) {
  // A left double click brings the window back; a single click does nothing.
  // StatusNotifierItem hosts send no double click, only an "activate" for the
  // primary click, which therefore stands for it there.
  const bool bringBack = reason == QSystemTrayIcon::DoubleClick ||
                         (reason == QSystemTrayIcon::Trigger && activateShows_);
  if (bringBack) BringBack();
}

void TFormKlemvar::Weckereinstellen1Click() { BringBack(); }

void TFormKlemvar::Beenden1Click() { close(); }

void TFormKlemvar::BringBack() {
  // Hidden by the minimise command, the window still counts as minimised:
  // it comes back in its normal state.
  if (!isVisible() && (windowState() & Qt::WindowMinimized))
    setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  raise();
  RestoreMinimisedWindows();
  BringProgramToFront();
}

void TFormKlemvar::RestoreMinimisedWindows() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isVisible() && (window->windowState() & Qt::WindowMinimized))
      window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  }
}

// The program's window that was active last comes to the front, if it can take
// the focus; otherwise nothing happens.
void TFormKlemvar::BringProgramToFront() {
  auto* application = qobject_cast<TApplication*>(QCoreApplication::instance());
  QWidget* front = application ? application->LastActiveWindow() : nullptr;
  if (!front || !front->isVisible() || !front->isEnabled()) return;
  front->raise();
  front->activateWindow();
}

void TFormKlemvar::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange)
    ApplyWindowState(static_cast<QWindowStateChangeEvent*>(event)->oldState());
  // The application has read the new time format by now; its clock may be wider.
  if (event->type() == QEvent::LocaleChange) FitWidth();
}

// Minimise hides the window into the tray; maximise only shows it, at its size.
// Without a tray icon minimise stays an ordinary minimise, so the taskbar
// still leads back to the window.
void TFormKlemvar::ApplyWindowState(Qt::WindowStates previous) {
  const Qt::WindowStates state = windowState();
  if (state & Qt::WindowMaximized) {
    setWindowState(state & ~Qt::WindowMaximized);
    show();
  } else if ((state & Qt::WindowMinimized) && !(previous & Qt::WindowMinimized) && isVisible() &&
             TrayIconShown()) {
    hide();
  }
}

}  // namespace klemvar
