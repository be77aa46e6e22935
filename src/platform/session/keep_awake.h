#pragma once

// Asks the session not to go idle (no blanking, no idle suspend) while anyone
// holds it, so that nobody sleeps through a ring: one
// org.freedesktop.ScreenSaver Inhibit on the session bus, with the reason
// "Alarm", released when the last holder lets go and when the program ends.
// Calls are asynchronous, but the program's end waits a moment for the last;
// none starts a service: where the session offers none, nothing happens.

namespace klemvar {

class KeepAwake {
 public:
  virtual ~KeepAwake() = default;
  virtual void Hold() = 0;
  virtual void Release() = 0;
};

// The one inhibition of the process, counting its holders.
KeepAwake& DesktopKeepAwake();

}  // namespace klemvar
