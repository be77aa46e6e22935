#include "ui/aufwachen/session_awake.h"

#include <QEvent>
#include <QWidget>

namespace klemvar {
namespace {

class WhileShown final : public QObject {
 public:
  WhileShown(QWidget* window, KeepAwake& keeper) : QObject(window), keeper_(keeper) {
    window->installEventFilter(this);
  }
  ~WhileShown() override { Set(false); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!event->spontaneous() && event->type() == QEvent::Show) Set(true);
    if (!event->spontaneous() && event->type() == QEvent::Hide) Set(false);
    return QObject::eventFilter(watched, event);
  }

 private:
  void Set(bool hold) {
    if (hold == holding_) return;
    holding_ = hold;
    if (hold)
      keeper_.Hold();
    else
      keeper_.Release();
  }

  KeepAwake& keeper_;
  bool holding_ = false;
};

}  // namespace

void KeepSessionAwakeWhileShown(QWidget* alarmWindow, KeepAwake& keeper) {
  new WhileShown(alarmWindow, keeper);
}

}  // namespace klemvar
