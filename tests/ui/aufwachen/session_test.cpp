// Alarm windows keep the session awake from their showing until they close,
// however they close; the service itself is tested in tests/platform/session/.

#include <QTest>

#include "alarm_window_fixture.h"
#include "ui/aufwachen/alarm_window_session.h"

using namespace klemvar;
using namespace klemvar::testing;

class SessionTest : public QObject, public KeepAwake {
  Q_OBJECT
 public:
  void Hold() override { ++holders_; }
  void Release() override { --holders_; }

 private:
  int holders_ = 0;

  QPointer<TFormWeckdienst> Open() {
    auto* window = new TFormWeckdienst(nullptr);
    KeepSessionAwakeWhileShown(window, *this);
    window->show();
    return window;
  }

 private slots:
  void heldWhileAnyAlarmWindowIsOpen() {
    QPointer<TFormWeckdienst> first = Open(), second = Open(), third = Open();
    QCOMPARE(holders_, 3);
    first->ButtonOKClick();
    second->close();  // the close box
    QCOMPARE(holders_, 1);
    delete third.data();
    FlushDeletes();
    QCOMPARE(holders_, 0);
  }
};

QTEST_MAIN(SessionTest)
#include "session_test.moc"
