#pragma once

#include <thread>

namespace klemvar {

// Connects to the session bus on a thread of its own. The first window
// already talks to the bus (screen readers' accessibility bridge, the tray
// icon's protocol), and the connection's handshake is a few round trips to the
// bus daemon; begun ahead, it runs beside the window's construction, and the
// window's first question finds the connection made. Needs the application
// object.
class SessionBusWarmUp {
 public:
  SessionBusWarmUp();
  // Waits for the thread.
  ~SessionBusWarmUp();
  SessionBusWarmUp(const SessionBusWarmUp&) = delete;
  SessionBusWarmUp& operator=(const SessionBusWarmUp&) = delete;

  // Waits until the connection is made or has failed.
  void Wait();

 private:
  std::thread connector_;
};

}  // namespace klemvar
