#pragma once

#include "ports/Platform.h"

#include <windows.h>

// The operations on Windows: the system's clocks and locale, user32 and advapi32.
class Win32Platform final : public Platform {
public:
    Win32Platform();

    WallClock currentDateTime() const override;
    std::int64_t monotonicMs() const override;
    std::int64_t sinceBootMs() const override;
    Separators separators() const override { return m_separators; }
    // ExitWindowsEx only starts the ending: no answer comes back, so nothing holds the
    // next request and every tick whose trigger is met asks again.
    RequestOutcome exitWindows(SessionAction action) override;
    RequestOutcome lastRequestOutcome() const override { return RequestOutcome::Untracked; }
    void endProgram() override;
    bool startProgram(const std::string &commandLine, int windowStyle) override;

    // The user's separators are read at start and again when the regional settings change.
    void readSeparators();
    // The window the program ends with.
    void setMainWindow(HWND window) { m_window = window; }

private:
    Separators m_separators;
    HWND m_window = nullptr;
};
