#pragma once

// What the desktop's notification area offers. The real host asks the desktop;
// the main window is handed one, and tests hand it their own.

#include <functional>

class QObject;
class QSystemTrayIcon;

namespace klemvar {

class TrayHost {
 public:
  virtual ~TrayHost() = default;
  // True while the icon is docked in a notification area that exists now.
  virtual bool Docked(const QSystemTrayIcon& icon) const = 0;
  // Calls `decided` once, when the icon can be made: with true when the area
  // speaks StatusNotifierItem (KDE Plasma, GNOME with the AppIndicator
  // extension) rather than XEmbed. Never waits: until the desktop has
  // answered, the program has no tray. Nothing is called once `context` is gone.
  virtual void DecideProtocol(QObject* context,
                              std::function<void(bool statusNotifier)> decided) const = 0;
};

TrayHost& DesktopTrayHost();

}  // namespace klemvar
