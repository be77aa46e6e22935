#pragma once

#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QSignalSpy>

// A service answers one connection's questions in the order they were asked:
// once a question asked now is answered, so is every earlier one.
inline bool EarlierQuestionsAnswered(const QDBusMessage& question) {
  QDBusPendingCallWatcher call(QDBusConnection::sessionBus().asyncCall(question));
  return QSignalSpy(&call, &QDBusPendingCallWatcher::finished).wait(10'000);
}

// Offers the object as the service name, on a connection of that name of its own
// as another program would, until this is destroyed.
class ServiceOnBus {
 public:
  ServiceOnBus(QObject* object, const QString& name, const QString& path,
               QDBusConnection::RegisterOptions exports)
      : path_(path), bus_(QDBusConnection::connectToBus(QDBusConnection::SessionBus, name)) {
    bus_.registerObject(path, object, exports);
    bus_.registerService(name);
  }
  ~ServiceOnBus() {
    bus_.unregisterService(bus_.name());
    bus_.unregisterObject(path_);
    QDBusConnection::disconnectFromBus(bus_.name());
  }
  Q_DISABLE_COPY(ServiceOnBus)

 private:
  const QString path_;
  QDBusConnection bus_;
};
