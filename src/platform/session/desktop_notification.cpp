#include "platform/session/desktop_notification.h"

#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>

#include "platform/session/session_bus.h"

namespace klemvar {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kDefaultAction = QStringLiteral("default");
constexpr uchar kUrgencyCritical = 2;

QDBusMessage Call(const QString& method) { return ServiceCall(kService, kPath, kService, method); }

}  // namespace

DesktopNotification::DesktopNotification(const QString& text) : text_(text) {
  // Without a session bus the call fails at once and Post lets go. Servers that read the body as
  // markup would drop an ampersand in the text; the capabilities say whether to escape it.
  connect(AskService(Call(QStringLiteral("GetCapabilities")), this),
          &QDBusPendingCallWatcher::finished, this, &DesktopNotification::Post);
}

void DesktopNotification::Post(QDBusPendingCallWatcher* capabilities) {
  capabilities->deleteLater();
  const QDBusPendingReply<QStringList> reply = *capabilities;
  if (reply.isError() || withdrawn_) {
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
  connect(AskService(notify, this), &QDBusPendingCallWatcher::finished, this,
          &DesktopNotification::Posted);
}

void DesktopNotification::Posted(QDBusPendingCallWatcher* call) {
  call->deleteLater();
  const QDBusPendingReply<uint> reply = *call;
  if (reply.isError()) {
    deleteLater();
    return;
  }
  id_ = reply.value();
  if (withdrawn_) {
    Close();
    return;
  }
  QDBusConnection bus = QDBusConnection::sessionBus();
  bus.connect(QString(), kPath, kService, QStringLiteral("ActionInvoked"), this,
              SLOT(ActionInvoked(uint, QString)));
  bus.connect(QString(), kPath, kService, QStringLiteral("NotificationClosed"), this,
              SLOT(NotificationClosed(uint, uint)));
}

void DesktopNotification::Withdraw() {
  if (withdrawn_) return;
  withdrawn_ = true;
  if (id_ != 0) Close();
  // Otherwise the answer to Notify is still on its way; Posted closes it.
}

void DesktopNotification::Close() {
  QDBusConnection::sessionBus().send(Call(QStringLiteral("CloseNotification")) << id_);
  id_ = 0;
  deleteLater();
}

void DesktopNotification::ActionInvoked(uint id, const QString& action) {
  if (id == id_ && id != 0 && action == kDefaultAction && !withdrawn_) emit activated();
}

void DesktopNotification::NotificationClosed(uint id, uint /*reason*/) {
  if (id != id_ || id == 0) return;
  // Dismissed on the desktop's side: nothing is left to withdraw.
  id_ = 0;
  deleteLater();
}

}  // namespace klemvar
