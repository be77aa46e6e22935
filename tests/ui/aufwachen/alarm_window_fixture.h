#pragma once

// Shared pieces of the alarm window tests: a sound double that records what the
// ring asks of it, and helpers to open windows and let closed ones go.

#include <QCoreApplication>
#include <QPointer>
#include <QStringList>

#include "core/alarmcore.h"
#include "core/close_moment.h"
#include "platform/sound/looping_sound.h"
#include "support/installed_double.h"
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

// The process-wide state every window reads, back to its start values.
inline void ResetAlarmState() {
  AlarmText.clear();
  AlarmCloseSeconds = 0;
  AlarmCloseAt = 0.0;
  AlarmCloseDate = 0.0;
  AlarmCloseElapsed = 0;
  RingEnabled = false;
}

// Opens a window the way the firing does: no parent, shown at once.
inline QPointer<TFormWeckdienst> OpenAlarmWindow() {
  auto* window = new TFormWeckdienst(nullptr);
  window->show();
  return window;
}

// Runs the deletions that closed windows asked for.
inline void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

}  // namespace klemvar::testing
