#pragma once

#include "window/FormDescription.h"

#include <windows.h>

#include <map>
#include <string>

// Where the window and its controls go at a DPI, and the fonts they are drawn with.
namespace win32 {

// The DPI the window is drawn at: its monitor's from Windows 10 1607 on, the system's before.
UINT dpiOf(HWND window);

// A control's designed place in the window's client area, in pixels.
RECT placeOf(ControlId id, UINT dpi);

// The window's outer rectangle that puts its client area at the designed place and size.
RECT designedWindowRect(HWND window, UINT dpi);

// That rectangle, moved just enough to lie inside the work area of the monitor it is on.
RECT placedWindowRect(HWND window, UINT dpi);

// A window's outer rectangle moved just enough to lie inside the work area of the monitor
// nearest to it (the one it is on, or, where that one is gone, the closest left).
RECT insideWorkArea(const RECT &outer);

// Moves every control to its designed place.
void placeControls(const std::map<ControlId, HWND> &controls, UINT dpi);

// The window's two fonts at one DPI: the dialog font the design was made for, and the
// clock's own. A new pair is given to the controls before the old one is deleted.
class Fonts {
public:
    Fonts() = default;
    Fonts(const Fonts &) = delete;
    Fonts &operator=(const Fonts &) = delete;
    ~Fonts();

    void apply(const std::map<ControlId, HWND> &controls, UINT dpi);
    // The clock's face, smaller when the wider of the text's two lines (date, then time,
    // parted at its one blank) would not fit the clock at the design size.
    void fitClock(HWND clock, const std::wstring &text, UINT dpi);

private:
    HFONT m_dialog = nullptr;
    HFONT m_clock = nullptr;
    HFONT m_clockDesign = nullptr; // the clock's face at its design size, for measuring
    int m_clockPoints = 0;
};

} // namespace win32
