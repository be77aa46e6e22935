// Creating the tray icon once the desktop has told which protocol its tray
// speaks, or, on Wayland without a tray, as soon as a StatusNotifierItem host
// turns up.

#include "ui/frame/handler.h"
#include "ui/weckmich/weckmich.h"

namespace klemvar {

void TFormKlemvar::AddTrayIcon() {
  trayHost_.DecideProtocol(this, Guarded([this](bool statusNotifier) {
                             CreateTrayIconNow(statusNotifier);
                             TrayIcon->show();
                           }));
}

void TFormKlemvar::CreateTrayIconNow(bool statusNotifier) {
  activateShows_ = statusNotifier;
  // The window's own icon, so that each picture is decoded once for both.
  TrayIcon = new QSystemTrayIcon(windowIcon(), this);
  TrayIcon->setObjectName(QStringLiteral("TrayIcon"));
  TrayIcon->setToolTip(QStringLiteral("Klemvar"));
  // Opened by the right button's press, at the pointer.
  TrayIcon->setContextMenu(PopupMenu);
  connect(TrayIcon, &QSystemTrayIcon::activated, this,
          Handler(this, &TFormKlemvar::TrayIconActivated));
}

}  // namespace klemvar
