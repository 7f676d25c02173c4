#include "Win32Layout.h"

#include "Wide.h"
#include "window/ClockFace.h"
#include "window/Placement.h"

#include <algorithm>
#include <utility>

namespace win32 {

namespace {

HFONT createFont(const FontDescription &description, UINT dpi)
{
    LOGFONTW font{};
    font.lfHeight = -MulDiv(description.points, static_cast<int>(dpi), 72);
    font.lfWeight = description.weight;
    font.lfCharSet = static_cast<BYTE>(description.charset);
    const std::wstring face = wide(description.face);
    face.copy(font.lfFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectW(&font);
}

template <typename Function> Function user32Function(const char *name)
{
    return systemFunction<Function>(L"user32.dll", name);
}

} // namespace

UINT dpiOf(HWND window)
{
    // Per-monitor DPI came with Windows 10 1607; before it, every window has the system's.
    static const auto forWindow = user32Function<UINT(WINAPI *)(HWND)>("GetDpiForWindow");
    if (forWindow)
        return forWindow(window);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

RECT placeOf(ControlId id, UINT dpi)
{
    const ControlDescription &c = form::control(id);
    TwipsRect twips = c.place;
    if (c.parent != ControlId::Form1) {
        twips.left += form::control(c.parent).place.left;
        twips.top += form::control(c.parent).place.top;
    }
    const PixelRect p = twips.toPixels(dpi);
    RECT place{p.left, p.top, p.left + p.width, p.top + p.height};
    if (id == ControlId::cboShutdown)
        place.bottom += MulDiv(120, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI); // its drop-down list
    return place;
}

RECT designedWindowRect(HWND window, UINT dpi)
{
    const PixelRect client = form::clientPlace.toPixels(dpi);
    RECT outer{client.left, client.top, client.left + client.width, client.top + client.height};
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    static const auto forDpi =
        user32Function<BOOL(WINAPI *)(RECT *, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    if (forDpi)
        forDpi(&outer, style, FALSE, exStyle, dpi);
    else
        AdjustWindowRectEx(&outer, style, FALSE, exStyle); // the system's DPI, the only one there
    return outer;
}

RECT placedWindowRect(HWND window, UINT dpi)
{
    return insideWorkArea(designedWindowRect(window, dpi));
}

RECT insideWorkArea(const RECT &outer)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromRect(&outer, MONITOR_DEFAULTTONEAREST), &monitor))
        return outer;
    const RECT &work = monitor.rcWork;
    const PixelRect placed =
        placeInWorkArea({outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top},
                        {work.left, work.top, work.right - work.left, work.bottom - work.top});
    return {placed.left, placed.top, placed.left + placed.width, placed.top + placed.height};
}

void placeControls(const std::map<ControlId, HWND> &controls, UINT dpi)
{
    for (const auto &[id, child] : controls) {
        const RECT place = placeOf(id, dpi);
        MoveWindow(child, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
    }
}

Fonts::~Fonts()
{
    DeleteObject(m_dialog);
    DeleteObject(m_clock);
    DeleteObject(m_clockDesign);
}

void Fonts::apply(const std::map<ControlId, HWND> &controls, UINT dpi)
{
    HFONT oldDialog = std::exchange(m_dialog, createFont(form::dialogFont, dpi));
    HFONT oldClock = std::exchange(m_clock, createFont(form::clockFont, dpi));
    DeleteObject(std::exchange(m_clockDesign, createFont(form::clockFont, dpi)));
    m_clockPoints = form::clockFont.points;
    for (const auto &[id, child] : controls)
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(id == ControlId::Label1 ? m_clock : m_dialog), TRUE);
    DeleteObject(oldDialog);
    DeleteObject(oldClock);
}

void Fonts::fitClock(HWND clock, const std::wstring &text, UINT dpi)
{
    HDC dc = GetDC(clock);
    const HGDIOBJ previous = SelectObject(dc, m_clockDesign);
    int widerLine = 0;
    const std::size_t blank = text.find(L' ');
    for (const std::wstring &line :
         {text.substr(0, blank), blank == std::wstring::npos ? L"" : text.substr(blank + 1)}) {
        SIZE size{};
        GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &size);
        widerLine = std::max(widerLine, static_cast<int>(size.cx));
    }
    SelectObject(dc, previous);
    ReleaseDC(clock, dc);
    RECT room{};
    GetClientRect(clock, &room);
    const int points = clockPointsToFit(form::clockFont.points, widerLine, room.right);
    if (points == m_clockPoints)
        return;
    FontDescription fitted = form::clockFont;
    fitted.points = points;
    HFONT oldClock = std::exchange(m_clock, createFont(fitted, dpi));
    m_clockPoints = points;
    SendMessageW(clock, WM_SETFONT, reinterpret_cast<WPARAM>(m_clock), TRUE);
    DeleteObject(oldClock);
}

} // namespace win32
