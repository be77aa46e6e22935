// When alarm windows close by themselves, with the wall clock set by hand. The
// arithmetic of the close moment is tested in the core
// (tests/core/close_moment_test.cpp); these tests are about the windows.

#include <QLabel>
#include <QTest>
#include <QTimer>
#include <memory>

#include "alarm_window_fixture.h"
#include "support/fake_clock.h"
#include "support/klemvar_test_main.h"
#include "support/scripted_message_box.h"

using namespace klemvar;
using namespace klemvar::testing;

class CloseTest : public QObject {
  Q_OBJECT

 private:
  FakeClock clock_;
  std::unique_ptr<RecordingSound> sound_;
  QList<QPointer<TFormWeckdienst>> windows_;

  QPointer<TFormWeckdienst> Open(const std::string& text = {}) {
    windows_ << OpenAlarmWindow(text);
    return windows_.back();
  }
  void SetAlarmCloseSeconds(std::int32_t seconds) { Scheduler()->SetAlarmCloseSeconds(seconds); }
  TDateTime AlarmCloseAt() const { return Scheduler()->Schedule().AlarmClose.AlarmCloseAt; }
  // Moves the clock on and lets every window's timer tick once.
  void TickAfter(std::int64_t milliseconds) {
    clock_.Advance(milliseconds);
    for (const auto& window : windows_) {
      if (window) window->Timer1Timer();
    }
    FlushDeletes();
  }

 private slots:
  void init() {
    clock_ = FakeClock();
    clock_.Set(2024, 3, 14, 12, 0, 0);
    ResetAlarmState(clock_);
    sound_ = std::make_unique<RecordingSound>();
  }
  void cleanup() {
    for (const auto& window : windows_) delete window.data();
    windows_.clear();
    sound_.reset();
  }

  void zeroNeverCloses() {
    auto window = Open();
    for (int second = 0; second < 120; ++second) TickAfter(1000);
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QVERIFY(sound_->calls.isEmpty());
  }

  // Each open window ticks once a second; without a close time it reads no clock.
  void zeroReadsNoClock() {
    auto window = Open();
    clock_.Set(2024, 3, 14, 24, 0);  // every reading fails from now on
    TickAfter(1000);
    QVERIFY(window);
  }

  void oneSecondClosesBetweenOneAndTwoSeconds() {
    SetAlarmCloseSeconds(1);
    auto window = Open();
    TickAfter(1000);  // exactly n seconds: not yet past
    QVERIFY(window);
    TickAfter(1);
    QVERIFY(!window);  // closed and deleted
    QCOMPARE(sound_->calls, QStringList{"stop"});
  }

  void valueIsReadAfreshAtEachTick() {
    auto window = Open();
    TickAfter(5000);
    QVERIFY(window);
    SetAlarmCloseSeconds(30);  // raised from 0: the opening moment is long past
    TickAfter(1000);
    QVERIFY(!window);

    SetAlarmCloseSeconds(2);
    window = Open();
    TickAfter(1000);
    SetAlarmCloseSeconds(0);  // set back to 0: stays open beyond its close time
    TickAfter(5000);
    QVERIFY(window);
    SetAlarmCloseSeconds(59);  // the close moment stays the one set at opening
    TickAfter(1000);
    QVERIFY(!window);
  }

  void outOfRangeReportsAndStillOpens() {
    ScriptedMessageBox boxes;
    clock_.Set(2024, 3, 14, 5, 59, 0);
    SetAlarmCloseSeconds(30);
    Open("Aufstehen!");  // sets the close moment to 05:59:30
    const TDateTime previousAt = AlarmCloseAt();

    SetAlarmCloseSeconds(75);
    auto window = Open("Aufstehen!");
    QCOMPARE(boxes.shown().size(), std::size_t{1});
    QCOMPARE(boxes.shown()[0].text, QString("Ungültiges Argument zum Codieren der Uhrzeit."));
    QCOMPARE(boxes.shown()[0].caption, QString("Klemvar"));
    QCOMPARE(boxes.shown()[0].flags, mb::kOk | mb::kIconError);
    QCOMPARE(AlarmCloseAt(), previousAt);
    QVERIFY(window && window->isVisible());
    auto* label = window->findChild<QLabel*>("LabelAlarmTxt");
    QCOMPARE(label->text(), QString("Aufstehen!"));

    // The positive value closes it from the old moment; a negative one never.
    TickAfter(30000);
    QVERIFY(window);
    SetAlarmCloseSeconds(-1);
    TickAfter(1);
    QVERIFY(window);
    SetAlarmCloseSeconds(75);
    TickAfter(0);
    QVERIFY(!window);
  }

  void theTimerDrivesTheCloseTest() {
    SetAlarmCloseSeconds(1);
    auto window = Open();
    auto* timer = window->findChild<QTimer*>("Timer1");
    QVERIFY(timer && timer->isActive());
    QCOMPARE(timer->interval(), 1000);
    clock_.Advance(10000);  // the real timer's first tick finds the moment passed
    QTRY_VERIFY_WITH_TIMEOUT(!window, 2500);
  }
};

KLEMVAR_TEST_MAIN(CloseTest)
#include "close_test.moc"
