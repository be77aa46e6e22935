#pragma once

// Calls to desktop services on the session bus. None starts a service that is
// not running: where the session offers none, the call fails at once.

#include <QDBusMessage>

class QDBusPendingCallWatcher;
class QObject;

namespace klemvar {

QDBusMessage ServiceCall(const QString& service, const QString& path, const QString& interface,
                         const QString& method);

// Sends the call without waiting; the answer arrives as the watcher's
// finished(). The watcher belongs to `receiver`.
QDBusPendingCallWatcher* AskService(const QDBusMessage& call, QObject* receiver,
                                    int timeoutMs = -1);

}  // namespace klemvar
