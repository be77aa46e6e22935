#include "ui/aufwachen/alarm_notification.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace klemvar {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kDefaultAction = QStringLiteral("default");
constexpr uchar kUrgencyCritical = 2;

// A call that fails at once when no server owns the name, instead of letting
// the bus start one.
QDBusMessage Call(const QString& method) {
  QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kService, method);
  message.setAutoStartService(false);
  return message;
}

void BringForward(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
  if (QWindow* handle = window->windowHandle()) handle->requestActivate();
}

}  // namespace

bool OnWayland() { return QGuiApplication::platformName().startsWith(QStringLiteral("wayland")); }

void AnnounceAlarm(QWidget* alarmWindow, const QString& text) {
  if (!alarmWindow || !OnWayland()) return;
  // Qt turns this into an xdg-activation request where the compositor offers one.
  if (QWindow* handle = alarmWindow->windowHandle()) handle->requestActivate();
  new AlarmNotification(alarmWindow, text);
}

AlarmNotification::AlarmNotification(QWidget* alarmWindow, const QString& text)
    : window_(alarmWindow), text_(text) {
  alarmWindow->installEventFilter(this);
  connect(alarmWindow, &QObject::destroyed, this, &AlarmNotification::WindowClosed);
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    deleteLater();
    return;
  }
  // Servers that read the body as markup would drop an ampersand in the text;
  // the capabilities say whether to escape it.
  auto* call =
      new QDBusPendingCallWatcher(bus.asyncCall(Call(QStringLiteral("GetCapabilities"))), this);
  connect(call, &QDBusPendingCallWatcher::finished, this, &AlarmNotification::Post);
}

void AlarmNotification::Post(QDBusPendingCallWatcher* capabilities) {
  capabilities->deleteLater();
  const QDBusPendingReply<QStringList> reply = *capabilities;
  if (reply.isError() || closed_) {
    deleteLater();
    return;
  }
  const bool markup = reply.value().contains(QStringLiteral("body-markup"));
  const QString icon = QGuiApplication::desktopFileName();
  QVariantMap hints;
  hints.insert(QStringLiteral("urgency"), QVariant::fromValue(kUrgencyCritical));
  hints.insert(QStringLiteral("desktop-entry"), icon);
  QDBusMessage notify = Call(QStringLiteral("Notify"));
  notify << QStringLiteral("Klemvar") << uint(0) << icon << QStringLiteral("Klemvar")
         << (markup ? text_.toHtmlEscaped() : text_)
         << QStringList{kDefaultAction, QStringLiteral("Anzeigen")} << hints << int(0);
  auto* call = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(notify), this);
  connect(call, &QDBusPendingCallWatcher::finished, this, &AlarmNotification::Posted);
}

void AlarmNotification::Posted(QDBusPendingCallWatcher* call) {
  call->deleteLater();
  const QDBusPendingReply<uint> reply = *call;
  if (reply.isError()) {
    deleteLater();
    return;
  }
  id_ = reply.value();
  if (closed_) {
    Withdraw();
    return;
  }
  QDBusConnection bus = QDBusConnection::sessionBus();
  bus.connect(QString(), kPath, kService, QStringLiteral("ActionInvoked"), this,
              SLOT(ActionInvoked(uint, QString)));
  bus.connect(QString(), kPath, kService, QStringLiteral("NotificationClosed"), this,
              SLOT(NotificationClosed(uint, uint)));
}

bool AlarmNotification::eventFilter(QObject* watched, QEvent* event) {
  if (watched == window_ && event->type() == QEvent::Hide && !event->spontaneous()) WindowClosed();
  return QObject::eventFilter(watched, event);
}

// However the window closes (OK, by itself, the close box), its notification goes.
void AlarmNotification::WindowClosed() {
  if (closed_) return;
  closed_ = true;
  if (id_ != 0) Withdraw();
  // Otherwise the answer to Notify is still on its way; Posted withdraws it.
}

void AlarmNotification::Withdraw() {
  QDBusConnection::sessionBus().send(Call(QStringLiteral("CloseNotification")) << id_);
  id_ = 0;
  deleteLater();
}

void AlarmNotification::ActionInvoked(uint id, const QString& action) {
  if (id == id_ && id != 0 && action == kDefaultAction && window_ && !closed_)
    BringForward(window_);
}

void AlarmNotification::NotificationClosed(uint id, uint /*reason*/) {
  if (id != id_ || id == 0) return;
  // Dismissed on the desktop's side: the window stays, nothing is left to withdraw.
  id_ = 0;
  deleteLater();
}

}  // namespace klemvar
