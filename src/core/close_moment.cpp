#include "core/close_moment.h"

#include "core/alarmcore.h"

namespace klemvar {

TDateTime AlarmCloseDate = 0.0;
std::int64_t AlarmCloseElapsed = 0;

void SetAlarmCloseMoment(std::int32_t seconds, const ClockReading& now) {
  const auto low = static_cast<std::uint16_t>(seconds);
  AlarmCloseAt = now.timeOfDay + ComposeTime(0, 0, low, 0);
  AlarmCloseDate = now.date;
  AlarmCloseElapsed = now.elapsed + std::int64_t{low} * 1000;
}

bool AlarmCloseMomentPassed(const ClockReading& now) { return now.elapsed > AlarmCloseElapsed; }

void SetAlarmCloseMoment(std::int32_t seconds) { SetAlarmCloseMoment(seconds, ReadClock()); }

bool AlarmCloseMomentPassed() { return AlarmCloseMomentPassed(ReadClock()); }

}  // namespace klemvar
