#pragma once

// The alarm window's part in the desktop session: the session stays awake while
// it is shown, and on Wayland, where a client can neither raise its windows nor
// keep one on top and a compositor may leave a new one behind the focused one,
// a notification announces it until it closes; its default action brings the
// window forward.

#include <QString>

#include "platform/session/keep_awake.h"

class QWidget;

namespace klemvar {

// Holds `keeper` from the window's first showing until it is hidden or destroyed.
void KeepSessionAwakeWhileShown(QWidget* alarmWindow, KeepAwake& keeper = DesktopKeepAwake());

// For an alarm window that has just been shown; elsewhere than on Wayland
// nothing, since there the window stays on top by itself.
void AnnounceAlarm(QWidget* alarmWindow, const QString& text);

}  // namespace klemvar
