#include "ui/frame/ahead_of_time.h"

#include <system_error>

namespace klemvar {

AheadOfTime::AheadOfTime(const std::function<void()>& step) {
  try {
    thread_ = std::thread(step);
  } catch (const std::system_error&) {
    // No thread: the step's first user takes it.
  }
}

AheadOfTime::~AheadOfTime() { Wait(); }

void AheadOfTime::Wait() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace klemvar
