#include "platform/session/status_notifier_follow.h"

#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

#include "platform/session/session_bus.h"

namespace klemvar {
namespace {

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");

}  // namespace

QDBusMessage HostRegisteredQuery() {
  QDBusMessage get =
      ServiceCall(kWatcherService, kWatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                  QStringLiteral("Get"));
  return get << kWatcherService << QStringLiteral("IsStatusNotifierHostRegistered");
}

StatusNotifierFollow::StatusNotifierFollow(QObject* parent) : QObject(parent) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    // Without a session bus there is no watcher either; told once the
    // receivers are connected.
    QMetaObject::invokeMethod(this, &StatusNotifierFollow::noHost, Qt::QueuedConnection);
    return;
  }
  auto* names =
      new QDBusServiceWatcher(kWatcherService, bus, QDBusServiceWatcher::WatchForOwnerChange, this);
  connect(names, &QDBusServiceWatcher::serviceRegistered, this, &StatusNotifierFollow::AskWatcher);
  connect(names, &QDBusServiceWatcher::serviceUnregistered, this, [this] { hostThere_ = false; });
  // A panel registers its host with the watcher a moment after the watcher
  // took its name; any sender will do, the answer to AskWatcher decides.
  for (const char* change : {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"})
    bus.connect(QString(), kWatcherPath, kWatcherService, QLatin1String(change), this,
                SLOT(AskWatcher()));
  AskWatcher();
}

void StatusNotifierFollow::AskWatcher() {
  connect(AskService(HostRegisteredQuery(), this), &QDBusPendingCallWatcher::finished, this,
          &StatusNotifierFollow::Answered);
}

void StatusNotifierFollow::Answered(QDBusPendingCallWatcher* call) {
  call->deleteLater();
  const QDBusPendingReply<QDBusVariant> reply = *call;
  if (reply.isError() && (reply.error().type() == QDBusError::NoReply ||
                          reply.error().type() == QDBusError::Timeout)) {
    AskWatcher();
    return;
  }
  hostThere_ = !reply.isError() && reply.value().variant().toBool();
  if (!hostThere_) {
    emit noHost();
  } else if (!told_) {
    told_ = true;
    emit hostReady();
  }
}

}  // namespace klemvar
