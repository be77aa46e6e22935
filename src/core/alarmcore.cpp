#include "core/alarmcore.h"

#include <utility>

namespace klemvar {

AlarmMoment ArmAlarm(AlarmMode mode, std::int32_t hours, std::int32_t minutes,
                     const ClockReading& now) {
  const auto h = static_cast<std::uint16_t>(hours);
  const auto m = static_cast<std::uint16_t>(minutes);
  const TDateTime chosen = ComposeTime(h, m, 0, 0);
  AlarmMoment moment;
  if (mode == AlarmMode::In) {
    moment.time = now.timeOfDay + chosen;
    moment.date = now.date;
    moment.elapsedDue = now.elapsed + std::int64_t{h} * 3'600'000 + std::int64_t{m} * 60'000;
    if (moment.time >= 1.0) {  // the interval reaches or crosses the coming midnight
      moment.date = now.date + 1.0;
      moment.time = moment.time - 1.0;
    }
  } else if (now.timeOfDay > chosen) {
    // The chosen time has passed today: a full day forward and back again, which
    // never goes below 0.0 and gives exactly 0.0 for midnight.
    moment.date = now.date + 1.0;
    moment.time = ComposeTime(23, 59, 0, 0) + chosen + ComposeTime(0, 1, 0, 0) - 1.0;
  } else {
    moment.time = chosen;
    moment.date = now.date;
  }
  return moment;
}

int TickPhaseDelay(TDateTime timeOfDay, TDateTime moment, int atLeast) {
  const int behind =
      (SplitTime(moment).milliseconds - SplitTime(timeOfDay).milliseconds + 1000) % 1000;
  int delay = behind + kTickAfterMoment;
  while (delay < atLeast) delay += 1000;
  return delay;
}

void AlarmCloseMoment::Set(std::int32_t seconds, const ClockReading& now) {
  const auto low = static_cast<std::uint16_t>(seconds);
  AlarmCloseAt = now.timeOfDay + ComposeTime(0, 0, low, 0);
  AlarmCloseDate = now.date;
  AlarmCloseElapsed = now.elapsed + std::int64_t{low} * 1000;
}

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

bool AlarmSchedule::FireIfDue(const ClockReading& now) {
  if (!AlarmDue(*this, now)) return false;
  AlarmArmed = false;
  return true;
}

bool AlarmDue(const AlarmSchedule& schedule, const ClockReading& now) {
  if (!schedule.AlarmArmed) return false;
  if (schedule.AlarmArmedMode == AlarmMode::In) return now.elapsed > schedule.AlarmElapsedDue;
  return now.date > schedule.AlarmDate ||
         (now.date == schedule.AlarmDate && now.timeOfDay > schedule.AlarmTime);
}

std::int64_t CountdownValue(const AlarmSchedule& schedule, const LocalTimeSource& clock,
                            const ClockReading& now) {
  if (schedule.AlarmArmedMode == AlarmMode::In) return schedule.AlarmElapsedDue - now.elapsed;
  return RealTimeUntil(clock, now, schedule.AlarmDate, schedule.AlarmTime);
}

}  // namespace klemvar
