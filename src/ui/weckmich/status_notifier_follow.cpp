#include "ui/weckmich/status_notifier_follow.h"

#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

namespace klemvar {
namespace {

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");

}  // namespace

QDBusMessage HostRegisteredQuery() {
  QDBusMessage get = QDBusMessage::createMethodCall(
      kWatcherService, kWatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
      QStringLiteral("Get"));
  get << kWatcherService << QStringLiteral("IsStatusNotifierHostRegistered");
  get.setAutoStartService(false);
  return get;
}

StatusNotifierFollow::StatusNotifierFollow(QObject* parent) : QObject(parent) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    // Without a session bus there is no watcher either; told once the
    // receivers are connected.
    QMetaObject::invokeMethod(this, &StatusNotifierFollow::noHost, Qt::QueuedConnection);
    return;
  }
  names_ = new QDBusServiceWatcher(kWatcherService, bus, QDBusServiceWatcher::WatchForRegistration,
                                   this);
  connect(names_, &QDBusServiceWatcher::serviceRegistered, this, &StatusNotifierFollow::AskWatcher);
  // A panel registers its host with the watcher a moment after the watcher
  // took its name; any sender will do, the answer to AskWatcher decides.
  bus.connect(QString(), kWatcherPath, kWatcherService,
              QStringLiteral("StatusNotifierHostRegistered"), this, SLOT(HostRegistered()));
  AskWatcher();
}

void StatusNotifierFollow::HostRegistered() { AskWatcher(); }

void StatusNotifierFollow::AskWatcher() {
  if (told_) return;
  auto* call = new QDBusPendingCallWatcher(
      QDBusConnection::sessionBus().asyncCall(HostRegisteredQuery()), this);
  connect(call, &QDBusPendingCallWatcher::finished, this, &StatusNotifierFollow::Answered);
}

void StatusNotifierFollow::Answered(QDBusPendingCallWatcher* call) {
  call->deleteLater();
  const QDBusPendingReply<QDBusVariant> reply = *call;
  if (told_) return;
  if (reply.isError() && (reply.error().type() == QDBusError::NoReply ||
                          reply.error().type() == QDBusError::Timeout)) {
    AskWatcher();
    return;
  }
  if (reply.isError() || !reply.value().variant().toBool()) {
    emit noHost();
    return;
  }
  told_ = true;
  emit hostReady();
}

}  // namespace klemvar
