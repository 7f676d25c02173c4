#include "Win32Layout.h"

#include "Wide.h"
#include "window/Placement.h"

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

} // namespace

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
    AdjustWindowRectExForDpi(&outer, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)), dpi);
    return outer;
}

RECT placedWindowRect(HWND window, UINT dpi)
{
    const RECT outer = designedWindowRect(window, dpi);
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
}

void Fonts::apply(const std::map<ControlId, HWND> &controls, UINT dpi)
{
    HFONT oldDialog = std::exchange(m_dialog, createFont(form::dialogFont, dpi));
    HFONT oldClock = std::exchange(m_clock, createFont(form::clockFont, dpi));
    for (const auto &[id, child] : controls)
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(id == ControlId::Label1 ? m_clock : m_dialog), TRUE);
    DeleteObject(oldDialog);
    DeleteObject(oldClock);
}

} // namespace win32
