// Creating the tray icon: at once where Qt can decide its protocol now, or, on
// Wayland without a tray, as soon as a StatusNotifierItem host turns up.

#include "ui/frame/handler.h"
#include "ui/weckmich/status_notifier_follow.h"
#include "ui/weckmich/tray_host.h"
#include "ui/weckmich/weckmich.h"

namespace klemvar {

void TFormKlemvar::AddTrayIcon() {
  const TrayHost& host = CurrentTrayHost();
  // Asked once: each answer is a round trip to the session bus at start-up.
  const bool statusNotifier = host.SpeaksStatusNotifier();
  if (statusNotifier || !host.NeedsStatusNotifierHost()) {
    CreateTrayIconNow(statusNotifier);
    return;
  }
  // Qt settles on its tray protocol when the first icon is made and never
  // asks again; made before a host exists, the icon would stay unseen for
  // the program's whole life. Made once a host is there, Qt's item also
  // registers again by itself whenever the watcher restarts.
  auto* follow = new StatusNotifierFollow(this);
  connect(follow, &StatusNotifierFollow::hostReady, this, Guarded([this, follow] {
            follow->deleteLater();
            CreateTrayIconNow(true);
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
