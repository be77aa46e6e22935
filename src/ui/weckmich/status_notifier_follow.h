#pragma once

// Follows the StatusNotifierWatcher on the session bus and tells once when a
// host (a panel's tray) has registered with it. Every question to the bus is
// asked without waiting for its answer, so a missing or hung watcher never
// holds up the program.

#include <QDBusMessage>
#include <QObject>

class QDBusPendingCallWatcher;
class QDBusServiceWatcher;

namespace klemvar {

// The question whether a host has registered with the watcher: a plain
// property read, which never starts a watcher that is not running.
QDBusMessage HostRegisteredQuery();

class StatusNotifierFollow : public QObject {
  Q_OBJECT
 public:
  explicit StatusNotifierFollow(QObject* parent = nullptr);

 signals:
  // A watcher with a registered host is on the bus; emitted at most once.
  void hostReady();

 private slots:
  void AskWatcher();
  void HostRegistered();

 private:
  void Answered(QDBusPendingCallWatcher* call);

  QDBusServiceWatcher* names_ = nullptr;
  bool told_ = false;
};

}  // namespace klemvar
