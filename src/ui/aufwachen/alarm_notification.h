#pragma once

// On Wayland a client can neither raise its windows over others nor keep one
// on top, and a compositor may leave a new window behind the focused one. So
// there each alarm window also asks for activation and is announced by a
// desktop notification (org.freedesktop.Notifications), which is withdrawn
// when the window closes and whose default action brings the window forward.
// Every bus call is asynchronous and never starts a service: without a
// notification server nothing is posted and nothing waits.

#include <QObject>
#include <QPointer>
#include <QString>

class QDBusPendingCallWatcher;
class QWidget;

namespace klemvar {

// True when the program runs as a Wayland client.
bool OnWayland();

// Does the above for an alarm window that has just been shown; elsewhere than
// on Wayland nothing, since there the window stays on top by itself.
void AnnounceAlarm(QWidget* alarmWindow, const QString& text);

// One posted notification, living until its window closes or the server
// drops it; it deletes itself.
class AlarmNotification : public QObject {
  Q_OBJECT
 public:
  AlarmNotification(QWidget* alarmWindow, const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private slots:
  void ActionInvoked(uint id, const QString& action);
  void NotificationClosed(uint id, uint reason);

 private:
  void Post(QDBusPendingCallWatcher* capabilities);
  void Posted(QDBusPendingCallWatcher* call);
  void WindowClosed();
  void Withdraw();

  QPointer<QWidget> window_;
  QString text_;
  uint id_ = 0;
  bool closed_ = false;
};

}  // namespace klemvar
