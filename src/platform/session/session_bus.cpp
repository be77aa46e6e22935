#include "platform/session/session_bus.h"

#include <QDBusConnection>
#include <QDBusPendingCallWatcher>

namespace klemvar {

QDBusMessage ServiceCall(const QString& service, const QString& path, const QString& interface,
                         const QString& method) {
  QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, method);
  call.setAutoStartService(false);
  return call;
}

QDBusPendingCallWatcher* AskService(const QDBusMessage& call, QObject* receiver, int timeoutMs) {
  return new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call, timeoutMs),
                                     receiver);
}

}  // namespace klemvar
