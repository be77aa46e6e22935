#pragma once

// One desktop notification (org.freedesktop.Notifications), critical, with a
// default action "Anzeigen". It lives until it is withdrawn or the server
// drops it, and deletes itself. Every bus call is asynchronous and never
// starts a service: without a notification server nothing is posted and
// nothing waits.

#include <QObject>

class QDBusPendingCallWatcher;

namespace klemvar {

class DesktopNotification : public QObject {
  Q_OBJECT
 public:
  explicit DesktopNotification(const QString& text);

  // Takes it off the desktop, now or as soon as the server has said which it is.
  void Withdraw();

 signals:
  // Its default action was chosen, while it was still up.
  void activated();

 private slots:
  void ActionInvoked(uint id, const QString& action);
  void NotificationClosed(uint id, uint reason);

 private:
  void Post(QDBusPendingCallWatcher* capabilities);
  void Posted(QDBusPendingCallWatcher* call);
  void Close();

  QString text_;
  uint id_ = 0;
  bool withdrawn_ = false;
};

}  // namespace klemvar
