#include "Win32Controls.h"

#include "Wide.h"

#include <commctrl.h>

namespace win32 {

namespace {

DWORD styleOf(const ControlDescription &c)
{
    // Clipped by the siblings above them: the action box sits on its frame's top edge. The
    // pickers and the second option belong to the group before them, so that the arrow
    // keys stay within the option group.
    const bool startsGroup = c.kind != ControlKind::DatePicker && c.id != ControlId::Option2;
    const DWORD style =
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | (c.enabled ? 0 : WS_DISABLED) | (startsGroup ? WS_GROUP : 0);
    switch (c.kind) {
    case ControlKind::CommandButton:
        return style | WS_TABSTOP | BS_PUSHBUTTON;
    case ControlKind::Frame:
        return style | BS_GROUPBOX;
    case ControlKind::Label:
        return style | SS_LEFT; // wraps at the blank: the date above the time
    case ControlKind::DatePicker:
        return style | WS_TABSTOP | DTS_UPDOWN;
    case ControlKind::ComboBox:
        return style | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
    case ControlKind::OptionButton:
        return style | WS_TABSTOP | BS_AUTORADIOBUTTON;
    case ControlKind::Timer:
        break;
    }
    return style;
}

const wchar_t *classOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Label:
        return WC_STATICW;
    case ControlKind::DatePicker:
        return DATETIMEPICK_CLASSW;
    case ControlKind::ComboBox:
        return WC_COMBOBOXW;
    default:
        return WC_BUTTONW;
    }
}

SYSTEMTIME systemTime(const WallClock &wall)
{
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(wall.year);
    time.wMonth = static_cast<WORD>(wall.month);
    time.wDay = static_cast<WORD>(wall.day);
    time.wHour = static_cast<WORD>(wall.hour);
    time.wMinute = static_cast<WORD>(wall.minute);
    time.wSecond = static_cast<WORD>(wall.second);
    time.wMilliseconds = static_cast<WORD>(wall.millisecond);
    return time;
}

} // namespace

HWND createControl(HWND parent, const ControlDescription &control, const RECT &place, int id)
{
    HWND child = CreateWindowExW(0, classOf(control.kind), wide(control.caption).c_str(), styleOf(control), place.left,
                                 place.top, place.right - place.left, place.bottom - place.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    if (control.kind == ControlKind::OptionButton && control.selected)
        SendMessageW(child, BM_SETCHECK, BST_CHECKED, 0);
    return child;
}

namespace combo {

void fill(HWND box, const ControlDescription &control)
{
    for (const std::string_view item : form::actionItems)
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(item).c_str()));
    SetWindowTextW(box, wide(control.caption).c_str());
    showFromStart(box);
}

void showFromStart(HWND box)
{
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (!GetComboBoxInfo(box, &info))
        return;
    SendMessageW(info.hwndItem, EM_SETSEL, 0, 0);
    SendMessageW(info.hwndItem, EM_SCROLLCARET, 0, 0);
}

} // namespace combo

namespace picker {

void setRange(HWND picker, const WallClock &minimum, const WallClock &maximum)
{
    const SYSTEMTIME range[2] = {systemTime(minimum), systemTime(maximum)};
    SendMessageW(picker, DTM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(range));
}

void setFormat(HWND picker, const std::string &pattern)
{
    SendMessageW(picker, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(wide(pattern).c_str()));
}

WallClock value(HWND picker)
{
    SYSTEMTIME time{};
    SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
    return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond, time.wMilliseconds};
}

void setValue(HWND picker, const WallClock &value)
{
    const SYSTEMTIME time = systemTime(value);
    SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

} // namespace picker

namespace button {

bool checked(HWND button)
{
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool isPushButton(HWND window)
{
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return lstrcmpiW(name, WC_BUTTONW) == 0 &&
           (SendMessageW(window, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

} // namespace button

} // namespace win32
