#include "core/alarmcore.h"

namespace klemvar {

AlarmMoment ArmAlarm(AlarmMode mode, std::int32_t hours, std::int32_t minutes, TDateTime timeOfDay,
                     TDateTime today) {
  const TDateTime chosen =
      ComposeTime(static_cast<std::uint16_t>(hours), static_cast<std::uint16_t>(minutes), 0, 0);
  AlarmMoment moment;
  if (mode == AlarmMode::In) {
    moment.time = timeOfDay + chosen;
    moment.date = today;
    if (moment.time >= 1.0) {  // the interval reaches or crosses the coming midnight
      moment.date = today + 1.0;
      moment.time = moment.time - 1.0;
    }
  } else if (timeOfDay > chosen) {
    // The chosen time has passed today: a full day forward and back again, which
    // never goes below 0.0 and gives exactly 0.0 for midnight.
    moment.date = today + 1.0;
    moment.time = ComposeTime(23, 59, 0, 0) + chosen + ComposeTime(0, 1, 0, 0) - 1.0;
  } else {
    moment.time = chosen;
    moment.date = today;
  }
  return moment;
}

AlarmMoment ArmAlarm(AlarmMode mode, std::int32_t hours, std::int32_t minutes,
                     const ClockReading& now) {
  AlarmMoment moment = ArmAlarm(mode, hours, minutes, now.timeOfDay, now.date);
  if (mode == AlarmMode::In) {
    const auto interval = std::int64_t{static_cast<std::uint16_t>(hours)} * 3'600'000 +
                          std::int64_t{static_cast<std::uint16_t>(minutes)} * 60'000;
    moment.elapsedDue = now.elapsed + interval;
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

}  // namespace klemvar
