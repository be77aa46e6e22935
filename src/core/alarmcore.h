#pragma once

// The window-free alarm rules. They take the clock readings as inputs so they
// can be tested without a wall clock.

#include <cstdint>

#include "core/clock.h"

namespace klemvar {

enum class AlarmMode { Um, In };  // "um": at a clock time; "in": after an interval

struct AlarmMoment {
  TDateTime time = 0.0;
  TDateTime date = 0.0;
  std::int64_t elapsedDue = 0;  // mode "in" only: see AlarmSchedule::AlarmElapsedDue
};

// The moment an alarm armed now falls due. hours and minutes are passed as their
// low 16 bits, so out-of-range values fail with EConvertError before anything changes.
AlarmMoment ArmAlarm(AlarmMode mode, std::int32_t hours, std::int32_t minutes, TDateTime timeOfDay,
                     TDateTime today);

// The same from one reading of both clocks, with the elapsed-clock deadline of
// an interval as well.
AlarmMoment ArmAlarm(AlarmMode mode, std::int32_t hours, std::int32_t minutes,
                     const ClockReading& now);

// How long the one-second tick waits, from timeOfDay, for its first tick in a
// phase where every tick falls kTickAfterMoment milliseconds after the moment's
// place within its second, and at least atLeast milliseconds. The tick that
// finds an alarm due then follows its moment by those milliseconds, not by up
// to a second. A repeat armed by the tick that fired passes 1,000, so that the
// tick keeps its pace of one a second: an interval of 0 would otherwise fire
// again at once.
inline constexpr int kTickAfterMoment = 10;
int TickPhaseDelay(TDateTime timeOfDay, TDateTime moment, int atLeast = 0);

}  // namespace klemvar
