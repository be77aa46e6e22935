#include "core/alarm_schedule.h"

#include <utility>

namespace klemvar {

void AlarmSchedule::Arm(AlarmMode mode, std::int32_t hours, std::int32_t minutes, std::string text,
                        const ClockReading& now) {
  const AlarmMoment moment = ArmAlarm(mode, hours, minutes, now);
  AlarmTime = moment.time;
  AlarmDate = moment.date;
  AlarmElapsedDue = moment.elapsedDue;
  AlarmArmedMode = mode;
  AlarmText = std::move(text);
  AlarmArmed = true;
}

void AlarmSchedule::Disarm() {
  AlarmArmed = false;
  AlarmTime = 0.0;
}

bool AlarmSchedule::FireIfDue(const ClockReading& now) {
  if (!AlarmDue(*this, now)) return false;
  AlarmArmed = false;
  return true;
}

bool AlarmSchedule::AlarmWindowsClose(const ClockReading& now) const {
  return AlarmCloseSeconds > 0 && AlarmClose.Passed(now);
}

bool AlarmDue(const AlarmSchedule& schedule, const ClockReading& now) {
  if (!schedule.AlarmArmed) return false;
  if (schedule.AlarmArmedMode == AlarmMode::In) return now.elapsed > schedule.AlarmElapsedDue;
  return now.date > schedule.AlarmDate ||
         (now.date == schedule.AlarmDate && now.timeOfDay > schedule.AlarmTime);
}

std::int64_t CountdownValue(const AlarmSchedule& schedule, const ClockReading& now) {
  if (schedule.AlarmArmedMode == AlarmMode::In) return schedule.AlarmElapsedDue - now.elapsed;
  return RealTimeUntil(now, schedule.AlarmDate, schedule.AlarmTime);
}

}  // namespace klemvar
