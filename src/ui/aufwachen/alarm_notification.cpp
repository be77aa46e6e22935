#include "ui/aufwachen/alarm_notification.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include "platform/session/desktop_notification.h"
#include "platform/session/window_system.h"

namespace klemvar {
namespace {

void BringForward(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
  if (QWindow* handle = window->windowHandle()) handle->requestActivate();
}

// However the window closes (OK, by itself, the close box), its notification goes.
class WithdrawnOnClose final : public QObject {
 public:
  WithdrawnOnClose(QWidget* window, DesktopNotification* note) : QObject(window), note_(note) {
    window->installEventFilter(this);
    connect(note, &DesktopNotification::activated, window, [window] { BringForward(window); });
  }
  ~WithdrawnOnClose() override { Withdraw(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Hide && !event->spontaneous()) Withdraw();
    return QObject::eventFilter(watched, event);
  }

 private:
  void Withdraw() {
    if (note_) note_->Withdraw();
  }

  QPointer<DesktopNotification> note_;
};

}  // namespace

void AnnounceAlarm(QWidget* alarmWindow, const QString& text) {
  if (!alarmWindow || !OnWayland()) return;
  // Qt turns this into an xdg-activation request where the compositor offers one.
  if (QWindow* handle = alarmWindow->windowHandle()) handle->requestActivate();
  new WithdrawnOnClose(alarmWindow, new DesktopNotification(text));
}

}  // namespace klemvar
