// SplitTime and TimeText over arbitrary doubles, NaN and infinities included:
// nothing crashes, the parts stay in range, and a value and its negation read alike.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/clock.h"
#include "core/timeformat.h"

namespace {

const char* const kPatterns[] = {"h:mm:ss",       "hh:mm:ss",     "h:mm:ss AMPM",
                                 "hh:mm:ss AMPM", "AMPM h:mm:ss", "AMPM hh:mm:ss"};

// True when the value lies on a half millisecond, where adding a whole day may
// round the other way: 1 + x keeps fewer bits of x than x itself.
bool NearAHalfMillisecond(double value) {
  const double count = value * 86'400'000.0;
  return std::fabs(count - std::floor(count) - 0.5) < 1e-3;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < sizeof(double) + 1) return 0;
  double value;
  std::memcpy(&value, data, sizeof value);
  klemvar::FormatSettings settings;
  settings.TimePattern = kPatterns[data[sizeof value] % 6];
  settings.timeSeparator = (data[sizeof value] & 0x80) ? "" : ":";

  const klemvar::SplitClock split = klemvar::SplitTime(value);
  if (split.hours > 23 || split.minutes > 59 || split.seconds > 59 || split.milliseconds > 999) {
    std::abort();
  }
  const std::string text = klemvar::TimeText(settings, value);
  if (text != klemvar::TimeText(settings, -value)) std::abort();
  if (value >= 0.0 && value < 1.0 && !NearAHalfMillisecond(value) &&
      text != klemvar::TimeText(settings, 1.0 + value)) {
    std::abort();
  }
  return 0;
}
