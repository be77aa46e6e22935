#pragma once

// While any alarm window is shown, the session is kept awake (keep_awake.h),
// so that nobody sleeps through a ring.

#include "platform/session/keep_awake.h"

class QWidget;

namespace klemvar {

// Holds `keeper` from the window's first showing until it is hidden or destroyed.
void KeepSessionAwakeWhileShown(QWidget* alarmWindow, KeepAwake& keeper = DesktopKeepAwake());

}  // namespace klemvar
