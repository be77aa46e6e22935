// Following the StatusNotifierWatcher, against a watcher of the test's own on
// a private session bus (the test runs under dbus-run-session).

#include <QDBusConnection>
#include <QSignalSpy>
#include <QTest>

#include "platform/session/status_notifier_follow.h"
#include "support/bus_answers.h"

namespace {

class FakeWatcher : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
  Q_PROPERTY(bool IsStatusNotifierHostRegistered READ HostRegistered)
 public:
  explicit FakeWatcher(bool host) : host(host) {}
  bool host;
  bool HostRegistered() const { return host; }

 signals:
  void StatusNotifierHostRegistered();
};

// The watcher as a panel would run it.
struct WatcherOnBus {
  explicit WatcherOnBus(bool host) : watcher(host) {}
  FakeWatcher watcher;
  ServiceOnBus offered{&watcher, QStringLiteral("org.kde.StatusNotifierWatcher"),
                       QStringLiteral("/StatusNotifierWatcher"),
                       QDBusConnection::ExportAllProperties | QDBusConnection::ExportAllSignals};
};

// The bus tells of a watcher before passing on its answers: after one round
// trip the follow has heard of it, after a second its question is answered.
bool SeenAndAnswered() {
  return EarlierQuestionsAnswered(klemvar::HostRegisteredQuery()) &&
         EarlierQuestionsAnswered(klemvar::HostRegisteredQuery());
}

}  // namespace

class StatusNotifierFollowTest : public QObject {
  Q_OBJECT
 private slots:
  void says_nothing_while_no_watcher_is_there() {
    klemvar::StatusNotifierFollow follow;
    QSignalSpy ready(&follow, &klemvar::StatusNotifierFollow::hostReady);
    QVERIFY(EarlierQuestionsAnswered(klemvar::HostRegisteredQuery()));
    QCOMPARE(ready.count(), 0);
  }

  void tells_of_a_watcher_with_a_host_that_was_there_first() {
    WatcherOnBus panel(true);
    klemvar::StatusNotifierFollow follow;
    QSignalSpy ready(&follow, &klemvar::StatusNotifierFollow::hostReady);
    QTRY_COMPARE(ready.count(), 1);
  }

  void tells_once_of_a_watcher_that_appears_later_and_comes_back() {
    klemvar::StatusNotifierFollow follow;
    QSignalSpy ready(&follow, &klemvar::StatusNotifierFollow::hostReady);
    QVERIFY(EarlierQuestionsAnswered(klemvar::HostRegisteredQuery()));  // none is there yet
    {
      WatcherOnBus panel(true);
      QTRY_COMPARE(ready.count(), 1);
    }
    WatcherOnBus again(true);
    QVERIFY(SeenAndAnswered());
    QCOMPARE(ready.count(), 1);
  }

  void waits_for_the_host_to_register_with_the_watcher() {
    klemvar::StatusNotifierFollow follow;
    QSignalSpy ready(&follow, &klemvar::StatusNotifierFollow::hostReady);
    WatcherOnBus panel(false);
    QVERIFY(SeenAndAnswered());
    QCOMPARE(ready.count(), 0);
    panel.watcher.host = true;
    emit panel.watcher.StatusNotifierHostRegistered();
    QTRY_COMPARE(ready.count(), 1);
  }
};

QTEST_MAIN(StatusNotifierFollowTest)
#include "status_notifier_follow_test.moc"
