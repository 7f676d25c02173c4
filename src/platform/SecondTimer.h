#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

class Platform;

// Calls its handler once a second, just after each wall-clock second begins. It re-reads
// the clock every time, so a late or lost tick, a busy event loop or a stepped clock
// never leaves the ticks out of step with the real second.
class SecondTimer final : public QObject {
public:
    SecondTimer(const Platform &clock, std::function<void()> onTick, QObject *parent = nullptr);

    void start();
    void stop();
    bool isActive() const;

    // How long to wait from a wall-clock time with this millisecond to just after the
    // next second begins.
    static int delayAfter(int millisecond);

private:
    void tick();
    void scheduleNext();

    const Platform &m_clock;
    std::function<void()> m_onTick;
    QTimer m_timer;
};
