#include "ui/weckmich/tray_host.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QSystemTrayIcon>

#include "ui/weckmich/status_notifier_follow.h"

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
    // A plain property read: a QDBusInterface would introspect the watcher
    // first, one more round trip, and keep its description until exit.
    const QDBusReply<QDBusVariant> reply = bus.call(HostRegisteredQuery());
    return reply.isValid() && reply.value().variant().toBool();
  }

  bool NeedsStatusNotifierHost() const override {
    return QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
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
