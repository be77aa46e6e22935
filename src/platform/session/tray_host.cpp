#include "platform/session/tray_host.h"

#include <QPointer>
#include <QSystemTrayIcon>

#include "platform/session/status_notifier_follow.h"
#include "platform/session/window_system.h"

namespace klemvar {
namespace {

class DesktopHost final : public TrayHost {
 public:
  // A StatusNotifierItem icon is docked while its host is there, as the
  // follow last heard: Qt would ask the watcher anew, with a blocking call, each
  // time. An XEmbed icon asks the X server, which Qt does at once.
  bool Docked(const QSystemTrayIcon& icon) const override {
    if (following_) return icon.isVisible() && following_->HostThere();
    return icon.isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
  }

  // Qt makes the same test when it picks the protocol for its first icon, but
  // with calls that block for as long as the watcher takes to answer, up to
  // the bus's timeout: a hung panel would hold the whole program. So Qt is not
  // asked until the watcher has answered this program's own question, which
  // waits for nothing; its own check then takes a moment.
  void DecideProtocol(QObject* context, std::function<void(bool)> decided) const override {
    auto* follow = new StatusNotifierFollow(context);
    auto decide = [this, follow, context, decided = std::move(decided)](bool statusNotifier) {
      // Only the answers to this caller: the bus keeps connections of its own.
      QObject::disconnect(follow, nullptr, context, nullptr);
      if (statusNotifier)
        following_ = follow;
      else
        follow->deleteLater();
      decided(statusNotifier);
    };
    QObject::connect(follow, &StatusNotifierFollow::hostReady, context, [decide] { decide(true); });
    // On Wayland only a StatusNotifierItem host can show the icon, and Qt
    // settles on its protocol when the first icon is made and never asks
    // again: made before a host exists, the icon would stay unseen for the
    // program's whole life. So there the icon waits for a host.
    if (!OnWayland())
      QObject::connect(follow, &StatusNotifierFollow::noHost, context, [decide] { decide(false); });
  }

 private:
  mutable QPointer<StatusNotifierFollow> following_;  // once the icon is a StatusNotifierItem
};

}  // namespace

TrayHost& DesktopTrayHost() {
  static DesktopHost host;
  return host;
}

}  // namespace klemvar
