#pragma once

// The worker hands calls to the GUI thread with a blocking queued invocation.
// Qt orders both sides with futex-based primitives that ThreadSanitizer cannot
// see in an uninstrumented Qt, so the worker and the GUI thread state that
// order themselves: whatever one side wrote before Publish is visible to the
// other after its matching Receive. Outside ThreadSanitizer builds these are no-ops.

#if defined(__SANITIZE_THREAD__)
#define KLEMVAR_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define KLEMVAR_TSAN 1
#endif
#endif

#ifdef KLEMVAR_TSAN
#include <sanitizer/tsan_interface.h>
#endif

namespace klemvar::handover {

inline void Publish([[maybe_unused]] void* token) {
#ifdef KLEMVAR_TSAN
  __tsan_release(token);
#endif
}

inline void Receive([[maybe_unused]] void* token) {
#ifdef KLEMVAR_TSAN
  __tsan_acquire(token);
#endif
}

// For the GUI side of one hand-over: receives on entry, publishes on the way out.
class Scope {
 public:
  explicit Scope(void* token) : token_(token) { Receive(token_); }
  ~Scope() { Publish(token_); }
  Scope(const Scope&) = delete;
  Scope& operator=(const Scope&) = delete;

 private:
  void* token_;
};

}  // namespace klemvar::handover
