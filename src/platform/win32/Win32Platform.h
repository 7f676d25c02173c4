#pragma once

#include "ports/Platform.h"

#include <windows.h>

// The operations on Windows: the system's clocks and locale, user32 and advapi32.
class Win32Platform final : public Platform {
public:
    WallClock currentDateTime() const override;
    std::int64_t monotonicMs() const override;
    std::int64_t sinceBootMs() const override;
    // Read anew each time: the user may change the regional settings while the program runs.
    Separators separators() const override;
    // ExitWindowsEx only starts the ending: no answer comes back, so nothing holds the
    // next request and every tick whose trigger is met asks again.
    RequestOutcome exitWindows(SessionAction action) override;
    RequestOutcome lastRequestOutcome() const override { return RequestOutcome::Untracked; }
    void endProgram() override;
    bool startProgram(const std::string &commandLine, int windowStyle) override;

    // The window the program ends with.
    void setMainWindow(HWND window) { m_window = window; }

private:
    HWND m_window = nullptr;
};
