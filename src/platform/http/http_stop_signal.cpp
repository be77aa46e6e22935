// HttpStopSignal on its own, as both sides use it: the program's worker raises
// it and the transport module waits on it.

#include <utility>

#include "platform/http/http_transport.h"

namespace klemvar {

void HttpStopSignal::Raise() {
  raised_.store(true, std::memory_order_release);
  std::lock_guard<std::mutex> lock(mutex_);
  if (waker_) waker_();
}

void HttpStopSignal::SetWaker(std::function<void()> waker) {
  std::lock_guard<std::mutex> lock(mutex_);
  waker_ = std::move(waker);
}

}  // namespace klemvar
