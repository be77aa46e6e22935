// The alarm window's frame, components and keyboard.

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <memory>

#include "alarm_window_fixture.h"
#include "support/fake_clock.h"

using namespace klemvar;
using namespace klemvar::testing;

class LayoutTest : public QObject {
  Q_OBJECT

 private:
  FakeClock clock_;
  std::unique_ptr<RecordingSound> sound_;
  QPointer<TFormWeckdienst> window_;

  template <typename T>
  T* Child(const char* name) {
    auto* child = window_->findChild<T*>(name);
    if (!child) qFatal("no component %s", name);
    return child;
  }

 private slots:
  void init() {
    ResetAlarmState(clock_);
    clock_.Set(2024, 3, 14, 7, 30, 0);
    sound_ = std::make_unique<RecordingSound>();
    window_ = OpenAlarmWindow();
  }
  void cleanup() {
    delete window_.data();
    sound_.reset();
  }

  void frame() {
    QCOMPARE(window_->windowTitle(), QString("Klemvar Weckdienst"));
    QCOMPARE(window_->size(), QSize(313, 214));
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    const Qt::WindowFlags flags = window_->windowFlags();
    QVERIFY(flags & Qt::WindowStaysOnTopHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(window_->parent() == nullptr);
    QVERIFY(window_->testAttribute(Qt::WA_DeleteOnClose));
    const QPoint centre = window_->screen()->geometry().center();
    QVERIFY((window_->frameGeometry().center() - centre).manhattanLength() <= 1);
  }

  void components() {
    QCOMPARE(Child<QFrame>("Bevel1")->geometry(), QRect(8, 8, 297, 161));
    QCOMPARE(Child<QLabel>("Image1")->geometry(), QRect(24, 24, 113, 137));
    QCOMPARE(Child<QLabel>("LabelAlarmTxt")->pos(), QPoint(152, 24));
    QCOMPARE(Child<QLabel>("LabelAlarmTxt")->width(), 145);
    auto* ok = Child<QPushButton>("ButtonOK");
    QCOMPARE(ok->geometry(), QRect(112, 176, 81, 25));
    QCOMPARE(ok->text(), QString("&OK"));
    QVERIFY(ok->isDefault());
  }

  void picture() {
    // Generated at build time: a missing picture is a build fault, not a reason to skip.
    QVERIFY2(QFile::exists(":/pictures/weckdienst.bmp"), "the picture was not generated");
    const QPixmap picture = Child<QLabel>("Image1")->pixmap();
    QCOMPARE(picture.size(), QSize(110, 132));
    QCOMPARE(Child<QLabel>("Image1")->alignment(), Qt::AlignLeft | Qt::AlignTop);
  }

  void okIsTheOnlyFocusableControl() {
    QPushButton* ok = Child<QPushButton>("ButtonOK");
    QCOMPARE(window_->focusWidget(), ok);
    for (QWidget* child : window_->findChildren<QWidget*>()) {
      if (child != ok) QCOMPARE(child->focusPolicy(), Qt::NoFocus);
    }
  }

  void keysPressOk_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier);
    QTest::newRow("Alt+O") << int(Qt::Key_O) << int(Qt::AltModifier);
  }
  void keysPressOk() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
    QTest::keyClick(window_->focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QTRY_VERIFY(!window_);  // the accelerator clicks with a short animation
    QCOMPARE(sound_->calls, QStringList{"stop"});
  }

  void escapeDoesNotClose() {
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
    QTest::keyClick(window_->focusWidget(), Qt::Key_Escape);
    FlushDeletes();
    QVERIFY(window_ && window_->isVisible());
    QVERIFY(sound_->calls.isEmpty());
  }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
