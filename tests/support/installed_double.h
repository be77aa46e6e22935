#pragma once

// Installs a test double through its layer's setter for the life of this
// object and puts back whatever was installed before. A double holds one as
// its last member, so it is installed once the double is complete and taken
// out before any of it goes:
//
//   class RecordingSound final : public LoopingSound {
//     ...
//     InstalledDouble<&SetLoopingSound> installed_{this};
//   };

#include <utility>

namespace klemvar::testing {

template <auto Set>
class InstalledDouble {
 public:
  template <class Double>
  explicit InstalledDouble(Double&& installed) : previous_(Set(std::forward<Double>(installed))) {}
  ~InstalledDouble() { Set(std::move(previous_)); }
  InstalledDouble(const InstalledDouble&) = delete;
  InstalledDouble& operator=(const InstalledDouble&) = delete;

 private:
  decltype(Set(nullptr)) previous_;
};

}  // namespace klemvar::testing
