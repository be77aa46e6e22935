#pragma once

#include <functional>
#include <thread>

namespace klemvar {

// A step of the start that needs nothing the main thread is building, run on
// a thread of its own so that it overlaps that work. The main thread waits for
// it before it needs the result, and at the latest when this object goes.
// Without a thread to spare the step is left to its first user, which would
// have taken it anyway.
class AheadOfTime {
 public:
  explicit AheadOfTime(const std::function<void()>& step);
  ~AheadOfTime();
  AheadOfTime(const AheadOfTime&) = delete;
  AheadOfTime& operator=(const AheadOfTime&) = delete;

  void Wait();

 private:
  std::thread thread_;
};

}  // namespace klemvar
