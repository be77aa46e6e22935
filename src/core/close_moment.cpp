#include "core/close_moment.h"

#include "core/alarmcore.h"

namespace klemvar {

TDateTime AlarmCloseDate = 0.0;

void SetAlarmCloseMoment(std::int32_t seconds, TDateTime timeOfDay, TDateTime today) {
  AlarmCloseAt = timeOfDay + ComposeTime(0, 0, static_cast<std::uint16_t>(seconds), 0);
  AlarmCloseDate = today;
}

bool AlarmCloseMomentPassed(TDateTime timeOfDay, TDateTime today) {
  // Whole days first, so that on the close day itself the comparison is the
  // exact one of two times of day.
  return (today - AlarmCloseDate) + timeOfDay > AlarmCloseAt;
}

void SetAlarmCloseMoment(std::int32_t seconds) {
  const ClockReading now = ReadClock();
  SetAlarmCloseMoment(seconds, now.timeOfDay, now.date);
}

bool AlarmCloseMomentPassed() {
  const ClockReading now = ReadClock();
  return AlarmCloseMomentPassed(now.timeOfDay, now.date);
}

}  // namespace klemvar
