#pragma once

// Calls to desktop services on the session bus. None starts a service that is
// not running: where the session offers none, the call fails at once.

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>

namespace klemvar {

inline QDBusMessage ServiceCall(const QString& service, const QString& path,
                                const QString& interface, const QString& method) {
  QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, method);
  call.setAutoStartService(false);
  return call;
}

// Sends the call without waiting; the answer arrives as the watcher's
// finished(). The watcher belongs to `receiver`.
inline QDBusPendingCallWatcher* AskService(const QDBusMessage& call, QObject* receiver,
                                           int timeoutMs = -1) {
  return new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call, timeoutMs),
                                     receiver);
}

}  // namespace klemvar
