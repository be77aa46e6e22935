#include "core/close_moment.h"

namespace klemvar {

void AlarmCloseMoment::Set(std::int32_t seconds, const ClockReading& now) {
  const auto low = static_cast<std::uint16_t>(seconds);
  AlarmCloseAt = now.timeOfDay + ComposeTime(0, 0, low, 0);
  AlarmCloseDate = now.date;
  AlarmCloseElapsed = now.elapsed + std::int64_t{low} * 1000;
}

}  // namespace klemvar
