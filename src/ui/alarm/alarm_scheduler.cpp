#include "ui/alarm/alarm_scheduler.h"

#include <QTimer>
#include <utility>

#include "platform/sound/looping_sound.h"

namespace klemvar {

TAlarmScheduler::TAlarmScheduler(const LocalTimeSource& clock, QObject* parent)
    : QObject(parent), clock_(clock) {
  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(1000);
  Timer1->setTimerType(Qt::PreciseTimer);
  tickPhase_ = new QTimer(this);
  tickPhase_->setObjectName(QStringLiteral("TickPhase"));
  tickPhase_->setSingleShot(true);
  tickPhase_->setTimerType(Qt::PreciseTimer);
  connect(Timer1, &QTimer::timeout, this, &TAlarmScheduler::ticked);
  connect(tickPhase_, &QTimer::timeout, Timer1, qOverload<>(&QTimer::start));
  connect(tickPhase_, &QTimer::timeout, this, &TAlarmScheduler::ticked);
  Timer1->start();
}

// A tick finds the alarm due only once its moment has passed: phased to fall
// just after the moment within its second, the tick that fires it follows the
// moment by milliseconds instead of by up to a second. Ticks that someone else
// drives (Timer1 stopped, as in tests) are left alone.
void TAlarmScheduler::Arm(AlarmMode mode, std::int32_t hours, std::int32_t minutes,
                          std::string text) {
  const ClockReading now = Now();
  schedule_.Arm(mode, hours, minutes, std::move(text), now);
  if (Timer1->isActive() || tickPhase_->isActive()) {
    Timer1->stop();
    tickPhase_->start(TickPhaseDelay(now.timeOfDay, schedule_.AlarmTime, rearming_ ? 1000 : 0));
  }
  if (schedule_.RingEnabled) PrepareLoopingSound();
}

void TAlarmScheduler::SetRingEnabled(bool enabled) {
  schedule_.RingEnabled = enabled;
  if (enabled && schedule_.AlarmArmed) PrepareLoopingSound();
}

}  // namespace klemvar
