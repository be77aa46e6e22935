// The ring: what StartRing and StopRing ask of the sound layer, and which window
// actions stop it.

#include <QPushButton>
#include <QTest>
#include <memory>

#include "alarm_window_fixture.h"
#include "support/fake_clock.h"
#include "support/klemvar_test_main.h"
#include "support/scripted_message_box.h"

using namespace klemvar;
using namespace klemvar::testing;

class RingTest : public QObject {
  Q_OBJECT

 private:
  FakeClock clock_;
  std::unique_ptr<RecordingSound> sound_;
  QList<QPointer<TFormWeckdienst>> windows_;

  QPointer<TFormWeckdienst> Fire() {
    StartRing();
    windows_ << OpenAlarmWindow();
    return windows_.back();
  }

 private slots:
  void init() {
    ResetAlarmState(clock_);
    clock_.Set(2024, 3, 14, 6, 0, 0);
    sound_ = std::make_unique<RecordingSound>();
  }
  void cleanup() {
    for (const auto& window : windows_) delete window.data();
    windows_.clear();
    sound_.reset();
  }

  void okOnOneWindowStopsTheRingForAll() {
    auto first = Fire();
    auto second = Fire();
    QTest::mouseClick(second->findChild<QPushButton*>("ButtonOK"), Qt::LeftButton);
    FlushDeletes();
    QVERIFY(!sound_->playing);
    QVERIFY(!second);
    QVERIFY(first && first->isVisible());  // only the pressed window goes
  }

  void closeBoxStopsTheRingAndDestroysTheWindow() {
    auto window = Fire();
    QVERIFY(window->close());  // what the frame's close box and Alt+F4 do
    QVERIFY(!sound_->playing);
    FlushDeletes();
    QVERIFY(!window);
  }

  void automaticCloseStopsTheRing() {
    Scheduler()->SetAlarmCloseSeconds(1);
    auto window = Fire();
    clock_.Advance(1500);
    window->Timer1Timer();
    QVERIFY(!sound_->playing);
    QCOMPARE(sound_->calls, (QStringList{"play :/sounds/RING.wav", "stop"}));
  }

  void silentAlarmStillStopsAnEarlierRing() {
    auto ringing = Fire();
    auto silent = OpenAlarmWindow();  // a later firing with the ring off
    windows_ << silent;
    QVERIFY(sound_->playing);  // opening a window alone leaves the ring alone
    silent->ButtonOKClick();
    QVERIFY(!sound_->playing);
  }

  void realSoundIsSilentAboutAMissingResource() {
    sound_.reset();  // the real sound layer from here on
    ScriptedMessageBox boxes;
    AudioLoopingSound().PlayLooping(":/sounds/none.wav");
    AudioLoopingSound().Stop();
    AudioLoopingSound().Stop();  // a stop while silent does nothing
    auto window = OpenAlarmWindow("still opens");
    windows_ << window;
    QVERIFY(window->isVisible());
    QVERIFY(boxes.shown().empty());
  }
};

KLEMVAR_TEST_MAIN(RingTest)
#include "ring_test.moc"
