// The session is kept awake while anyone holds it: a stand-in
// org.freedesktop.ScreenSaver on a private session bus (the test runs under
// dbus-run-session) records Inhibit and UnInhibit. It answers on a thread of
// its own, as another program would, also while the program waits for it.

#include <QDBusConnection>
#include <QMutex>
#include <QMutexLocker>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <optional>

#include "platform/session/keep_awake.h"
#include "support/bus_answers.h"

namespace {

class FakeScreenSaver : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
 public:
  QStringList Calls() const {
    QMutexLocker lock(&mutex_);
    return calls_;
  }

 public slots:
  uint Inhibit(const QString& application, const QString& reason) {
    QMutexLocker lock(&mutex_);
    calls_ << QStringLiteral("Inhibit %1 %2").arg(application, reason);
    return 7;
  }
  // Slow, as a busy session is: only a program that waits for the answer at
  // its end can be sure the cookie came back.
  void UnInhibit(uint cookie) {
    QThread::msleep(100);
    QMutexLocker lock(&mutex_);
    calls_ << QStringLiteral("UnInhibit %1").arg(cookie);
  }
  // Answered on the same thread after every call that came before it.
  void Ping() {}

 private:
  mutable QMutex mutex_;
  QStringList calls_;
};

// On its thread before it is offered; off the bus before its thread ends.
class ScreenSaverOnBus {
 public:
  ScreenSaverOnBus() {
    thread_.start();
    saver.moveToThread(&thread_);
    offered_.emplace(&saver, QStringLiteral("org.freedesktop.ScreenSaver"),
                     QStringLiteral("/org/freedesktop/ScreenSaver"),
                     QDBusConnection::ExportAllSlots);
  }
  ~ScreenSaverOnBus() {
    offered_.reset();
    thread_.quit();
    thread_.wait();
  }
  FakeScreenSaver saver;

 private:
  QThread thread_;
  std::optional<ServiceOnBus> offered_;
};

// Once the stand-in has answered a question asked now, it has handled, and the
// program has been answered, every call made before it.
bool SaverAnsweredAllBefore() {
  return EarlierQuestionsAnswered(QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("/org/freedesktop/ScreenSaver"),
      QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("Ping")));
}

const QString kInhibit = QStringLiteral("Inhibit Klemvar Alarm");
const QString kUnInhibit = QStringLiteral("UnInhibit 7");

}  // namespace

class KeepAwakeTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("Klemvar")); }

  void two_holders_at_once() {
    ScreenSaverOnBus bus;
    klemvar::DesktopKeepAwake().Hold();
    klemvar::DesktopKeepAwake().Hold();
    QTRY_COMPARE(bus.saver.Calls(), QStringList{kInhibit});
    QVERIFY(SaverAnsweredAllBefore());  // and the program has its cookie
    klemvar::DesktopKeepAwake().Release();
    QVERIFY(SaverAnsweredAllBefore());
    QCOMPARE(bus.saver.Calls(), QStringList{kInhibit});  // the second still holds
    klemvar::DesktopKeepAwake().Release();
    QTRY_COMPARE(bus.saver.Calls(), (QStringList{kInhibit, kUnInhibit}));
  }

  // Last, as the program's end is for good.
  void program_ended_while_held() {
    ScreenSaverOnBus bus;
    klemvar::DesktopKeepAwake().Hold();
    QTRY_COMPARE(bus.saver.Calls(), QStringList{kInhibit});
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    qApp->exec();
    QCOMPARE(bus.saver.Calls(), (QStringList{kInhibit, kUnInhibit}));
  }
};

QTEST_MAIN(KeepAwakeTest)
#include "keep_awake_test.moc"
