#include "ui/frame/session_bus_warmup.h"

#include <QDBusConnection>
#include <system_error>

namespace klemvar {

SessionBusWarmUp::SessionBusWarmUp() {
  try {
    // Qt keeps one session connection per process, made once under its own
    // lock; a caller on the main thread meanwhile waits for this one.
    connector_ = std::thread([] { QDBusConnection::sessionBus(); });
  } catch (const std::system_error&) {
    // No thread to spare: the first caller connects.
  }
}

SessionBusWarmUp::~SessionBusWarmUp() { Wait(); }

void SessionBusWarmUp::Wait() {
  if (connector_.joinable()) connector_.join();
}

}  // namespace klemvar
