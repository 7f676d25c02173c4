#include "SecondTimer.h"

#include "Platform.h"

namespace {

// Margin after the boundary: the timer runs on the monotonic clock, which may be slewed
// against the wall clock by a millisecond or so; firing just early would show the old second.
constexpr int marginMs = 2;

} // namespace

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

void SecondTimer::stop()
{
    m_timer.stop();
}

bool SecondTimer::isActive() const
{
    return m_timer.isActive();
}

int SecondTimer::delayAfter(int millisecond)
{
    return 1000 - millisecond + marginMs;
}

void SecondTimer::tick()
{
    // Re-armed before the handler runs, so a slow handler does not push the next tick later.
    scheduleNext();
    m_onTick();
}

void SecondTimer::scheduleNext()
{
    m_timer.start(delayAfter(m_clock.currentDateTime().time().msec()));
}
