#pragma once

// What the desktop's notification area offers. The real host asks the desktop;
// tests install their own.

class QSystemTrayIcon;

namespace klemvar {

class TrayHost {
 public:
  virtual ~TrayHost() = default;
  // True while the icon is docked in a notification area that exists now.
  virtual bool Docked(const QSystemTrayIcon& icon) const = 0;
  // True when the area speaks StatusNotifierItem (KDE Plasma, GNOME with the
  // AppIndicator extension) rather than XEmbed.
  virtual bool SpeaksStatusNotifier() const = 0;
  // True where only a StatusNotifierItem host can show the icon, so that
  // without one the icon must wait for it to appear: on Wayland there is no
  // XEmbed to fall back on, and Qt picks its tray protocol once, when the
  // first icon is made.
  virtual bool NeedsStatusNotifierHost() const { return false; }
};

TrayHost& DesktopTrayHost();

// Installs the host every later question goes to; nullptr restores the real one.
TrayHost* SetTrayHost(TrayHost* host);
const TrayHost& CurrentTrayHost();

}  // namespace klemvar
