#include "platform/fonts/fontconfig_warmup.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace klemvar {

FontConfigWarmUp::FontConfigWarmUp() {
  try {
    // fontconfig sets its current configuration atomically; a failure here
    // leaves it unset, and Qt reads it itself as it would have anyway.
    reader_ = std::thread([] { FcInit(); });
  } catch (const std::system_error&) {
    // No thread to spare: Qt reads the configuration on first use.
  }
}

FontConfigWarmUp::~FontConfigWarmUp() { Wait(); }

void FontConfigWarmUp::Wait() {
  if (reader_.joinable()) reader_.join();
}

}  // namespace klemvar
