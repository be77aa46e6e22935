#pragma once

// Stand-in services on a private session bus, and knowing when they have answered.

#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QSignalSpy>

// A service answers one connection's questions in the order they were asked:
// once a question asked now is answered, so is every earlier one.
inline bool EarlierQuestionsAnswered(const QDBusMessage& question) {
  QDBusPendingCallWatcher call(QDBusConnection::sessionBus().asyncCall(question));
  return QSignalSpy(&call, &QDBusPendingCallWatcher::finished).wait(10'000);
}

// The object offered as the service name on a connection of its own, as another
// program would offer it, until this is destroyed.
class ServiceOnBus {
 public:
  ServiceOnBus(QObject* object, const QString& name, const QString& path,
               QDBusConnection::RegisterOptions exports)
      : name_(name),
        path_(path),
        bus_(QDBusConnection::connectToBus(QDBusConnection::SessionBus, name)) {
    bus_.registerObject(path, object, exports);
    bus_.registerService(name);
  }
  ~ServiceOnBus() {
    bus_.unregisterService(name_);
    bus_.unregisterObject(path_);
    QDBusConnection::disconnectFromBus(name_);
  }
  Q_DISABLE_COPY(ServiceOnBus)

 private:
  const QString name_;
  const QString path_;
  QDBusConnection bus_;
};
