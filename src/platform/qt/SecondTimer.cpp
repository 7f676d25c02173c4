#include "SecondTimer.h"

#include "ports/Platform.h"
#include "schedule/Scheduler.h"

SecondTimer::SecondTimer(const Platform &clock, std::function<void()> onTick, QObject *parent)
    : QObject(parent), m_clock(clock), m_onTick(std::move(onTick))
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &SecondTimer::tick);
}

void SecondTimer::start()
{
    scheduleNext();
}

void SecondTimer::tick()
{
    // Re-armed before the handler runs, so a slow handler does not push the next tick later.
    scheduleNext();
    m_onTick();
}

void SecondTimer::scheduleNext()
{
    m_timer.start(msUntilNextTick(m_clock.currentDateTime().millisecond));
}
