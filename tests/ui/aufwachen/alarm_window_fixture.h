#pragma once

// Shared pieces of the alarm window tests: a sound double that records what the
// ring asks of it, and helpers to open windows and let closed ones go.

#include <QCoreApplication>
#include <QPointer>
#include <QStringList>
#include <string>

#include "platform/sound/looping_sound.h"
#include "support/installed_double.h"
#include "ui/alarm/alarm_scheduler.h"
#include "ui/aufwachen/aufwachen.h"

namespace klemvar::testing {

class RecordingSound final : public LoopingSound {
 public:
  void PlayLooping(const QString& resource) override {
    calls << QStringLiteral("play ") + resource;
    playing = true;
  }
  void Stop() override {
    calls << QStringLiteral("stop");
    playing = false;
  }

  QStringList calls;
  bool playing = false;

 private:
  InstalledDouble<&SetLoopingSound> installed_{this};
};

// The scheduler whose close moment every window follows, as the main window's.
inline QPointer<TAlarmScheduler>& Scheduler() {
  static QPointer<TAlarmScheduler> scheduler;
  return scheduler;
}

// A new scheduler on the test's clock, at its start values.
inline void ResetAlarmState(const LocalTimeSource& clock) {
  delete Scheduler().data();
  Scheduler() = new TAlarmScheduler(clock, QCoreApplication::instance());
}

// Opens a window the way the firing does: no parent, shown at once.
inline QPointer<TFormWeckdienst> OpenAlarmWindow(const std::string& text = {}) {
  auto* window = new TFormWeckdienst(QString::fromStdString(text), Scheduler());
  window->show();
  return window;
}

// Runs the deletions that closed windows asked for.
inline void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

}  // namespace klemvar::testing
