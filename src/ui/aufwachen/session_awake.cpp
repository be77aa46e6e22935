#include "ui/aufwachen/session_awake.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDeadlineTimer>
#include <QEvent>
#include <QThread>
#include <QWidget>

namespace klemvar {
namespace {

const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kPath = QStringLiteral("/org/freedesktop/ScreenSaver");
constexpr int kEndTimeoutMs = 1000;

// Fails at once when nobody owns the name, instead of letting the bus start one.
QDBusMessage Call(const QString& method) {
  QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kService, method);
  message.setAutoStartService(false);
  return message;
}

// The answer comes in on the bus's own thread, so it is seen without the
// event loop, which has ended when the program quits.
bool AnsweredBefore(const QDBusPendingCall& call, const QDeadlineTimer& deadline) {
  while (!call.isFinished() && !deadline.hasExpired()) QThread::msleep(2);
  return call.isFinished();
}

// Holds from the window's first showing to its hiding or destruction.
class WhileShown final : public QObject {
 public:
  explicit WhileShown(QWidget* window) : QObject(window) { window->installEventFilter(this); }
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
      SessionAwake::Instance().Hold();
    else
      SessionAwake::Instance().Release();
  }

  bool holding_ = false;
};

}  // namespace

void KeepSessionAwakeWhileShown(QWidget* alarmWindow) { new WhileShown(alarmWindow); }

SessionAwake& SessionAwake::Instance() {
  static auto* instance = new SessionAwake;  // lives to the end, after every window
  return *instance;
}

SessionAwake::SessionAwake() {
  connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
          &SessionAwake::ProgramEnds);
}

void SessionAwake::Hold() {
  ++holders_;
  Sync();
}

void SessionAwake::Release() {
  if (holders_ > 0) --holders_;
  Sync();
}

// One call on the way at a time; its answer syncs again.
void SessionAwake::Sync() {
  if (pending_ || ending_) return;
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (holders_ > 0 && !inhibited_ && bus.isConnected()) {
    QDBusMessage inhibit = Call(QStringLiteral("Inhibit"));
    inhibit << QCoreApplication::applicationName() << QStringLiteral("Alarm");
    pending_ = new QDBusPendingCallWatcher(bus.asyncCall(inhibit), this);
    connect(pending_, &QDBusPendingCallWatcher::finished, this, &SessionAwake::Inhibited);
  } else if (holders_ == 0 && inhibited_) {
    inhibited_ = false;
    released_ = new QDBusPendingCallWatcher(
        bus.asyncCall(Call(QStringLiteral("UnInhibit")) << cookie_, kEndTimeoutMs), this);
    connect(released_, &QDBusPendingCallWatcher::finished, released_, &QObject::deleteLater);
  }
}

void SessionAwake::Inhibited(QDBusPendingCallWatcher* call) {
  call->deleteLater();
  pending_ = nullptr;
  const QDBusPendingReply<uint> reply = *call;
  if (reply.isError()) return;  // no such service: the windows ring on without it
  cookie_ = reply.value();
  inhibited_ = true;
  Sync();
}

// Nothing delivers an asynchronous call once the program has ended, so it
// waits, a moment at most, until the cookie is back: the quit closed the alarm
// windows just now, or the windows still open go only after the loop. A
// session service that does not answer by then keeps no inhibition: the bus
// tells it that this program has gone.
void SessionAwake::ProgramEnds() {
  ending_ = true;
  const QDeadlineTimer deadline(kEndTimeoutMs);
  if (pending_ && AnsweredBefore(*pending_, deadline)) {
    pending_->disconnect(this);
    Inhibited(pending_);
  }
  if (released_) AnsweredBefore(*released_, deadline);
  if (!inhibited_ || deadline.hasExpired()) return;
  inhibited_ = false;
  QDBusConnection::sessionBus().call(Call(QStringLiteral("UnInhibit")) << cookie_, QDBus::Block,
                                     static_cast<int>(deadline.remainingTime()));
}

}  // namespace klemvar
