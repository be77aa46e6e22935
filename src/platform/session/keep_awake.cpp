#include "platform/session/keep_awake.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDeadlineTimer>
#include <QPointer>
#include <QThread>

#include "platform/session/session_bus.h"

namespace klemvar {
namespace {

const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kPath = QStringLiteral("/org/freedesktop/ScreenSaver");
constexpr int kEndTimeoutMs = 1000;

QDBusMessage Call(const QString& method) { return ServiceCall(kService, kPath, kService, method); }

// The answer comes in on the bus's own thread, so it is seen without the
// event loop, which has ended when the program quits.
bool AnsweredBefore(const QDBusPendingCall& call, const QDeadlineTimer& deadline) {
  while (!call.isFinished() && !deadline.hasExpired()) QThread::msleep(2);
  return call.isFinished();
}

class ScreenSaverInhibit final : public QObject, public KeepAwake {
 public:
  ScreenSaverInhibit() {
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
            &ScreenSaverInhibit::ProgramEnds);
  }

  void Hold() override {
    ++holders_;
    Sync();
  }

  void Release() override {
    if (holders_ > 0) --holders_;
    Sync();
  }

 private:
  // One call on the way at a time; its answer syncs again.
  void Sync() {
    if (pending_ || ending_) return;
    if (holders_ > 0 && !inhibited_ && QDBusConnection::sessionBus().isConnected()) {
      QDBusMessage inhibit = Call(QStringLiteral("Inhibit"));
      inhibit << QCoreApplication::applicationName() << QStringLiteral("Alarm");
      pending_ = AskService(inhibit, this);
      connect(pending_, &QDBusPendingCallWatcher::finished, this, &ScreenSaverInhibit::Inhibited);
    } else if (holders_ == 0 && inhibited_) {
      inhibited_ = false;
      released_ = AskService(Call(QStringLiteral("UnInhibit")) << cookie_, this, kEndTimeoutMs);
      connect(released_, &QDBusPendingCallWatcher::finished, released_, &QObject::deleteLater);
    }
  }

  void Inhibited(QDBusPendingCallWatcher* call) {
    call->deleteLater();
    pending_ = nullptr;
    const QDBusPendingReply<uint> reply = *call;
    if (reply.isError()) return;  // no such service: the windows ring on without it
    cookie_ = reply.value();
    inhibited_ = true;
    Sync();
  }

  // Nothing delivers an asynchronous call once the program has ended, so it
  // waits, a moment at most, until the cookie is back: the quit closed the
  // alarm windows just now, or the windows still open go only after the loop.
  // A session service that does not answer by then keeps no inhibition: the
  // bus tells it that this program has gone.
  void ProgramEnds() {
    ending_ = true;
    const QDeadlineTimer deadline(kEndTimeoutMs);
    if (pending_ && AnsweredBefore(*pending_, deadline)) {
      pending_->disconnect(this);
      Inhibited(pending_);
    }
    if (released_) AnsweredBefore(*released_, deadline);
    if (!inhibited_ || deadline.hasExpired()) return;
    inhibited_ = false;
    const QDBusPendingCall last = QDBusConnection::sessionBus().asyncCall(
        Call(QStringLiteral("UnInhibit")) << cookie_, static_cast<int>(deadline.remainingTime()));
    AnsweredBefore(last, deadline);
  }

  int holders_ = 0;
  uint cookie_ = 0;
  bool inhibited_ = false;
  bool ending_ = false;
  QPointer<QDBusPendingCallWatcher> pending_;   // Inhibit
  QPointer<QDBusPendingCallWatcher> released_;  // the last UnInhibit
};

}  // namespace

KeepAwake& DesktopKeepAwake() {
  static auto* instance = new ScreenSaverInhibit;  // lives to the end, after every window
  return *instance;
}

}  // namespace klemvar
