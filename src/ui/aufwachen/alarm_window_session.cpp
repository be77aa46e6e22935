#include "ui/aufwachen/alarm_window_session.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <utility>

#include "platform/session/desktop_notification.h"
#include "platform/session/window_system.h"

namespace klemvar {
namespace {

// Calls `began` when the window is shown and `ended` when it is hidden again
// or destroyed while shown.
class WhileShown final : public QObject {
 public:
  WhileShown(QWidget* window, std::function<void()> began, std::function<void()> ended)
      : QObject(window), began_(std::move(began)), ended_(std::move(ended)) {
    window->installEventFilter(this);
    if (window->isVisible()) Set(true);
  }
  ~WhileShown() override { Set(false); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!event->spontaneous() && event->type() == QEvent::Show) Set(true);
    if (!event->spontaneous() && event->type() == QEvent::Hide) Set(false);
    return QObject::eventFilter(watched, event);
  }

 private:
  void Set(bool shown) {
    if (shown == shown_) return;
    shown_ = shown;
    (shown ? began_ : ended_)();
  }

  std::function<void()> began_, ended_;
  bool shown_ = false;
};

}  // namespace

void KeepSessionAwakeWhileShown(QWidget* alarmWindow, KeepAwake& keeper) {
  auto hold = [&keeper] { keeper.Hold(); };
  auto release = [&keeper] { keeper.Release(); };
  new WhileShown(alarmWindow, hold, release);
}

void AnnounceAlarm(QWidget* alarmWindow, const QString& text) {
  if (!alarmWindow || !OnWayland()) return;
  // Qt turns this into an xdg-activation request where the compositor offers one.
  if (QWindow* handle = alarmWindow->windowHandle()) handle->requestActivate();
  QPointer<DesktopNotification> note = new DesktopNotification(text);
  QObject::connect(note, &DesktopNotification::activated, alarmWindow, [alarmWindow] {
    alarmWindow->show();
    alarmWindow->raise();
    alarmWindow->activateWindow();
    if (QWindow* handle = alarmWindow->windowHandle()) handle->requestActivate();
  });
  // However the window closes (OK, by itself, the close box), its notification goes.
  new WhileShown(
      alarmWindow, [] {},
      [note] {
        if (note) note->Withdraw();
      });
}

}  // namespace klemvar
