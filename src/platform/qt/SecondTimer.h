#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

class Platform;

// Calls its handler once a second, just after each wall-clock second begins: a precise
// single-shot timer re-armed every tick from the clock it reads.
class SecondTimer final : public QObject {
public:
    SecondTimer(const Platform &clock, std::function<void()> onTick, QObject *parent = nullptr);

    void start();

private:
    void tick();
    void scheduleNext();

    const Platform &m_clock;
    std::function<void()> m_onTick;
    QTimer m_timer;
};
