#pragma once

#include <thread>

namespace klemvar {

// Reads the desktop's font configuration (fontconfig's files and font caches)
// on a thread of its own. Reading it is the longest single step before a
// window with text can be laid out, and nothing in it needs the application
// object: begun first, it runs beside the application's own set-up, and Qt's
// font database later finds the configuration read.
class FontConfigWarmUp {
 public:
  FontConfigWarmUp();
  // Waits for the thread.
  ~FontConfigWarmUp();
  FontConfigWarmUp(const FontConfigWarmUp&) = delete;
  FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

  // Waits until the configuration is read. Called before the first text is
  // measured, so that Qt does not read it a second time beside this thread.
  void Wait();

 private:
  std::thread reader_;
};

}  // namespace klemvar
