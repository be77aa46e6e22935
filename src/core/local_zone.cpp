#include "core/local_zone.h"

#include <ctime>

namespace klemvar {
namespace {

constexpr std::int64_t kDayMs = 86'400'000;

std::int64_t FloorSeconds(std::int64_t milliseconds) {
  return milliseconds >= 0 ? milliseconds / 1000 : -((-milliseconds + 999) / 1000);
}

// The zone's offset from UTC at an instant, in milliseconds.
std::int64_t OffsetAt(std::int64_t instant) {
  const time_t seconds = static_cast<time_t>(FloorSeconds(instant));
  tm local{};
  localtime_r(&seconds, &local);
  return static_cast<std::int64_t>(local.tm_gmtoff) * 1000;
}

// The instant a gap starts, between an instant before it (offset `before`)
// and one after it, found to the second: zones change offsets on whole seconds.
std::int64_t GapStart(std::int64_t before, std::int64_t after, std::int64_t offsetBefore) {
  std::int64_t low = FloorSeconds(before);
  std::int64_t high = FloorSeconds(after) + 1;
  while (high - low > 1) {
    const std::int64_t middle = low + (high - low) / 2;
    if (OffsetAt(middle * 1000) == offsetBefore) {
      low = middle;
    } else {
      high = middle;
    }
  }
  return high * 1000;
}

}  // namespace

std::int64_t LocalWallClockOf(std::int64_t instant) {
  // localtime_r keeps the zone it read first; tzset looks again.
  tzset();
  return instant + OffsetAt(instant);
}

// The offsets a day either side bracket the time: no zone changes its offset
// twice within two days. No tzset here: the reading that the lookup serves
// has just looked at the zone, and each look costs the tick a file check.
LocalTimeLookup LookUpLocalTime(std::int64_t wallClock) {
  const std::int64_t offsetBefore = OffsetAt(wallClock - kDayMs);
  const std::int64_t offsetAfter = OffsetAt(wallClock + kDayMs);
  const std::int64_t early = wallClock - offsetBefore;
  const std::int64_t late = wallClock - offsetAfter;
  const bool earlyFits = OffsetAt(early) == offsetBefore;
  const bool lateFits = offsetAfter != offsetBefore && OffsetAt(late) == offsetAfter;
  if (earlyFits && lateFits) return {LocalTimeLookup::kRepeated, early < late ? early : late};
  if (earlyFits) return {LocalTimeLookup::kUnique, early};
  if (lateFits) return {LocalTimeLookup::kUnique, late};
  if (offsetAfter <= offsetBefore) return {LocalTimeLookup::kUnique, early};
  // Forward across the gap: `late` lies before it and `early` after it.
  return {LocalTimeLookup::kSkipped, GapStart(late, early, offsetBefore)};
}

}  // namespace klemvar
