#pragma once

#include "platform/Platform.h"

#include <windows.h>

// The operations on Windows: the system's clocks and locale, user32 and advapi32.
class Win32Platform final : public Platform {
public:
    Win32Platform();

    WallClock currentDateTime() const override;
    std::int64_t monotonicMs() const override;
    std::int64_t sinceBootMs() const override;
    Separators separators() const override { return m_separators; }
    void setWindowPos(WindowHandle window, int insertAfter, std::int32_t flags) override;
    void exitWindows(SessionAction action) override;
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
