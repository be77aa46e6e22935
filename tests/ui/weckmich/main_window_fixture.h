#pragma once

// A main window on an injected clock, with scripted message boxes, a tray host
// the test controls and a recorder for opened addresses.

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <memory>

#include "core/alarmcore.h"
#include "core/timeformat.h"
#include "platform/session/tray_host.h"
#include "support/fake_clock.h"
#include "support/installed_double.h"
#include "support/klemvar_test_main.h"
#include "support/recording_url_opener.h"
#include "support/scripted_message_box.h"
#include "ui/alarm/alarm_scheduler.h"
#include "ui/weckmich/weckmich.h"

namespace klemvar::testing {

class FakeTrayHost final : public TrayHost {
 public:
  bool Docked(const QSystemTrayIcon&) const override { return docked; }
  void DecideProtocol(QObject*, std::function<void(bool)> decided) const override {
    decided(statusNotifier);
  }

  bool docked = true;
  bool statusNotifier = false;
};

// Closes every window of the program but the one given.
inline void DestroyOtherWindows(QWidget* keep) {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    const bool ours = QByteArray(window->metaObject()->className()).startsWith("klemvar::");
    if (ours && window != keep && !window->parentWidget()) delete window;
  }
}

// Owns the doubles and the window for one test.
struct MainWindow {
  FakeClock clock;
  ScriptedMessageBox boxes;
  FakeTrayHost tray;
  RecordingUrlOpener urls;
  std::unique_ptr<TFormKlemvar> form;

  // hh:mm:ss, whatever the machine's locale.
  static FormatSettings TwentyFourHours() {
    FormatSettings settings;
    settings.TimePattern = "hh:mm:ss";
    return settings;
  }

  const AlarmSchedule& Schedule() const { return form->Scheduler->Schedule(); }

  void Open() {
    Application().SetFormat(TwentyFourHours());
    if (!clock.WasSet()) clock.Set(2024, 3, 14, 7, 42, 10, 500);
    form = std::make_unique<TFormKlemvar>(nullptr, tray, clock);
    form->Scheduler->Timer1->stop();  // ticks are driven by the test
    form->show();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
  }

  ~MainWindow() {
    DestroyOtherWindows(form.get());
    form.reset();
  }
};

}  // namespace klemvar::testing
