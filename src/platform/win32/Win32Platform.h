#pragma once

#include "PowerHold.h"
#include "ports/Platform.h"

#include <windows.h>

// The operations on Windows: the system's clocks, locale and power requests, user32 and advapi32.
class Win32Platform final : public Platform {
public:
    WallClock currentDateTime() const override;
    std::int64_t monotonicMs() const override;
    std::int64_t sinceBootMs() const override;
    // Read anew each time: the user may change the regional settings while the program runs.
    Separators separators() const override;
    // ExitWindowsEx only starts the ending: no answer comes back to wait for.
    Delivery exitWindows(SessionAction action) override;
    Answer lastAnswer() const override { return Answer::NoReply; }
    void holdAwake(const std::string &reason) override { m_hold.hold(reason); }
    void releaseAwake() override { m_hold.release(); }
    void endProgram() override;
    bool startProgram(const std::string &commandLine, int windowStyle) override;
    void openWithUserHandler(const std::string &url, std::function<void(bool opened)> whenKnown) override;

    // The window the program ends with.
    void setMainWindow(HWND window) { m_window = window; }

private:
    HWND m_window = nullptr;
    PowerHold m_hold; // released when the program ends
};
