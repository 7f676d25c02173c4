#pragma once

#include <windows.h>

#include <string>

// Keeps Windows from sleeping by itself while the schedule is armed: a power request for the
// system (never the display: the screen still blanks and locks) whose reason is what
// `powercfg /requests` shows. Where power requests are missing (before Windows 7) or fail,
// the window's thread asks for the system with its execution state.
class PowerHold {
public:
    PowerHold() = default;
    PowerHold(const PowerHold &) = delete;
    PowerHold &operator=(const PowerHold &) = delete;
    ~PowerHold() { release(); }

    // Takes the hold, or gives it a new reason: the new request holds before the old one goes.
    void hold(const std::string &reason);
    void release();

private:
    HANDLE m_request = nullptr;
    bool m_threadState = false;
};
