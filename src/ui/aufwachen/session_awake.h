#pragma once

// While any alarm window is open, the session is asked not to go idle (no
// blanking, no idle suspend), so that nobody sleeps through a ring: one
// org.freedesktop.ScreenSaver Inhibit on the session bus, with the reason
// "Alarm", released when the last alarm window closes, however it closes, and
// when the program ends. Calls are asynchronous, but the program's end waits a
// moment for the last; none starts a service: where the session offers none,
// nothing happens.

#include <QObject>
#include <QPointer>

class QDBusPendingCallWatcher;
class QWidget;

namespace klemvar {

// Keeps the session awake from the window's first showing until it is hidden
// or destroyed.
void KeepSessionAwakeWhileShown(QWidget* alarmWindow);

// The one inhibition of the process, counting the windows that want it.
class SessionAwake : public QObject {
  Q_OBJECT
 public:
  static SessionAwake& Instance();

  void Hold();
  void Release();

 private:
  SessionAwake();
  void Sync();
  void Inhibited(QDBusPendingCallWatcher* call);
  void ProgramEnds();

  int holders_ = 0;
  uint cookie_ = 0;
  bool inhibited_ = false;
  bool ending_ = false;
  QPointer<QDBusPendingCallWatcher> pending_;   // Inhibit
  QPointer<QDBusPendingCallWatcher> released_;  // the last UnInhibit
};

}  // namespace klemvar
