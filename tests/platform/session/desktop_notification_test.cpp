// A desktop notification against a notification server of the
// test's own on a private session bus (the test runs under dbus-run-session).

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QVariantMap>

#include "platform/session/desktop_notification.h"
#include "support/bus_answers.h"

namespace {

struct Note {
  QString app, icon, summary, body;
  QStringList actions;
  QVariantMap hints;
  int timeout = -1;
};

class FakeServer : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
 public:
  QList<Note> notes;
  QList<uint> closed;
  // When set, Notify answers only on Answer().
  bool holdAnswer = false;

  void Answer() { held_.connection.send(held_.message.createReply(40 + uint(notes.size()))); }

 public slots:
  QStringList GetCapabilities() { return {QStringLiteral("body"), QStringLiteral("body-markup")}; }
  uint Notify(const QString& app, uint, const QString& icon, const QString& summary,
              const QString& body, const QStringList& actions, const QVariantMap& hints,
              int timeout) {
    notes.append({app, icon, summary, body, actions, hints, timeout});
    if (holdAnswer) {
      setDelayedReply(true);
      held_ = {connection(), message()};
    }
    return 40 + notes.size();
  }
  void CloseNotification(uint id) { closed.append(id); }

 signals:
  void ActionInvoked(uint id, const QString& action);
  void NotificationClosed(uint id, uint reason);

 private:
  struct Held {
    QDBusConnection connection{QString()};
    QDBusMessage message;
  } held_;
};

struct ServerOnBus {
  FakeServer server;
  ServiceOnBus offered{&server, QStringLiteral("org.freedesktop.Notifications"),
                       QStringLiteral("/org/freedesktop/Notifications"),
                       QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals};
};

QDBusMessage Capabilities() {
  return QDBusMessage::createMethodCall("org.freedesktop.Notifications",
                                        "/org/freedesktop/Notifications",
                                        "org.freedesktop.Notifications", "GetCapabilities");
}

}  // namespace

using klemvar::DesktopNotification;

class DesktopNotificationTest : public QObject {
  Q_OBJECT
 private slots:
  void posts_one_critical_notification_with_the_text() {
    ServerOnBus bus;
    QPointer<DesktopNotification> posted = new DesktopNotification(QStringLiteral("Tee & Kuchen"));
    QTRY_COMPARE(bus.server.notes.size(), 1);
    const Note note = bus.server.notes.first();
    QCOMPARE(note.app, QStringLiteral("Klemvar"));
    QCOMPARE(note.summary, QStringLiteral("Klemvar"));
    QCOMPARE(note.body, QStringLiteral("Tee &amp; Kuchen"));  // the server reads markup
    QCOMPARE(note.icon, QGuiApplication::desktopFileName());
    QCOMPARE(note.hints.value(QStringLiteral("urgency")).metaType(), QMetaType::fromType<uchar>());
    QCOMPARE(note.hints.value(QStringLiteral("urgency")).value<uchar>(), uchar(2));
    QCOMPARE(note.timeout, 0);
    QCOMPARE(note.actions.value(0), QStringLiteral("default"));
    QVERIFY(EarlierQuestionsAnswered(Capabilities()));  // the id came with Notify's answer
    posted->Withdraw();
    QTRY_VERIFY(posted.isNull());
  }

  void is_withdrawn_on_request() {
    ServerOnBus bus;
    auto* note = new DesktopNotification(QStringLiteral("x"));
    QTRY_COMPARE(bus.server.notes.size(), 1);
    QVERIFY(EarlierQuestionsAnswered(Capabilities()));  // with the answer to Notify
    note->Withdraw();
    QTRY_COMPARE(bus.server.closed, QList<uint>{41});
  }

  void is_withdrawn_when_asked_before_the_server_answered() {
    ServerOnBus bus;
    bus.server.holdAnswer = true;
    auto* note = new DesktopNotification(QStringLiteral("x"));
    QTRY_COMPARE(bus.server.notes.size(), 1);
    note->Withdraw();
    QVERIFY(EarlierQuestionsAnswered(Capabilities()));  // a withdrawal would have come first
    QVERIFY(bus.server.closed.isEmpty());
    bus.server.Answer();
    QTRY_COMPARE(bus.server.closed, QList<uint>{41});
  }

  void tells_of_its_default_action() {
    ServerOnBus bus;
    QPointer<DesktopNotification> note = new DesktopNotification(QStringLiteral("x"));
    QSignalSpy activated(note.data(), &DesktopNotification::activated);
    QTRY_COMPARE(bus.server.notes.size(), 1);
    QVERIFY(EarlierQuestionsAnswered(Capabilities()));  // the id came with Notify's answer
    emit bus.server.ActionInvoked(41, QStringLiteral("default"));
    QTRY_COMPARE(activated.count(), 1);
    note->Withdraw();
  }

  void without_a_server_nothing_waits_or_stays() {
    QElapsedTimer clock;
    clock.start();
    QPointer<DesktopNotification> note = new DesktopNotification(QStringLiteral("x"));
    QVERIFY(clock.elapsed() < 100);
    QTRY_VERIFY_WITH_TIMEOUT(note.isNull(), 2000);
    QVERIFY(!QDBusConnection::sessionBus().interface()->isServiceRegistered(
        QStringLiteral("org.freedesktop.Notifications")));
  }
};

QTEST_MAIN(DesktopNotificationTest)
#include "desktop_notification_test.moc"
