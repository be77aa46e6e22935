#pragma once

// On Wayland a client can neither raise its windows over others nor keep one
// on top, and a compositor may leave a new window behind the focused one. So
// there each alarm window also asks for activation and is announced by a
// desktop notification (desktop_notification.h), which is withdrawn when the
// window closes and whose default action brings the window forward.

#include <QString>

class QWidget;

namespace klemvar {

// Does the above for an alarm window that has just been shown; elsewhere than
// on Wayland nothing, since there the window stays on top by itself.
void AnnounceAlarm(QWidget* alarmWindow, const QString& text);

}  // namespace klemvar
