#pragma once

// Follows the StatusNotifierWatcher on the session bus and tells once when a
// host (a panel's tray) has registered with it, and each time the bus or the
// watcher says there is none; meanwhile it keeps the last answer. Every
// question to the bus is asked without waiting for its answer, so a missing or
// hung watcher never holds up the program; a watcher that lets a question time
// out is asked again.

#include <QDBusMessage>
#include <QObject>

class QDBusPendingCallWatcher;

namespace klemvar {

// The question whether a host has registered with the watcher: a plain
// property read, which never starts a watcher that is not running.
QDBusMessage HostRegisteredQuery();

class StatusNotifierFollow : public QObject {
  Q_OBJECT
 public:
  explicit StatusNotifierFollow(QObject* parent = nullptr);

  // Whether a host was registered at the watcher's last answer, and the
  // watcher has kept its name since.
  bool HostThere() const { return hostThere_; }

 signals:
  // A watcher with a registered host is on the bus; emitted at most once.
  void hostReady();
  // No watcher is on the bus, or no host has registered with it yet.
  void noHost();

 private slots:
  void AskWatcher();

 private:
  void Answered(QDBusPendingCallWatcher* call);

  bool told_ = false;
  bool hostThere_ = false;
};

}  // namespace klemvar
