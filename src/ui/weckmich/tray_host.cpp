#include "ui/weckmich/tray_host.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QGuiApplication>
#include <QSystemTrayIcon>

namespace klemvar {
namespace {

constexpr char kWatcherService[] = "org.kde.StatusNotifierWatcher";

class DesktopHost final : public TrayHost {
 public:
  bool Docked(const QSystemTrayIcon& icon) const override {
    return icon.isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
  }

  // The same test Qt makes when it picks the protocol for its tray icons.
  bool SpeaksStatusNotifier() const override {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(kWatcherService)) return false;
    QDBusInterface watcher(kWatcherService, QStringLiteral("/StatusNotifierWatcher"),
                           kWatcherService, bus);
    return watcher.property("IsStatusNotifierHostRegistered").toBool();
  }

  bool WaitsForStatusNotifierHost() const override {
    return QGuiApplication::platformName().startsWith(QStringLiteral("wayland")) &&
           !SpeaksStatusNotifier();
  }
};

TrayHost* installed = nullptr;

}  // namespace

TrayHost& DesktopTrayHost() {
  static DesktopHost host;
  return host;
}

TrayHost* SetTrayHost(TrayHost* host) {
  TrayHost* previous = installed;
  installed = host;
  return previous;
}

const TrayHost& CurrentTrayHost() { return installed ? *installed : DesktopTrayHost(); }

}  // namespace klemvar
