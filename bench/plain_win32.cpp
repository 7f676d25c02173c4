// The same window written the plain way in Win32, measured beside Tamsverolind.exe by
// bench/wine_lag.sh: the same common controls at the same places and a one-second timer that
// writes the clock and steps the count-down, with none of the program's own rules. Titled
// as the program, so that the harness finds its window.
#include <windows.h>

#include <commctrl.h>

#include <cwchar>
#include <initializer_list>

namespace {

HWND clock = nullptr, countDown = nullptr;

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER) {
        SYSTEMTIME now{};
        GetLocalTime(&now);
        wchar_t text[32];
        std::swprintf(text, 32, L"%02d/%02d/%02d %02d:%02d:%02d", now.wDay, now.wMonth, now.wYear % 100, now.wHour,
                      now.wMinute, now.wSecond);
        SetWindowTextW(clock, text);
        SYSTEMTIME left{};
        SendMessageW(countDown, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&left));
        if (left.wSecond > 0)
            --left.wSecond;
        SendMessageW(countDown, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&left));
        return 0;
    }
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND child(HWND parent, const wchar_t *kind, const wchar_t *text, DWORD style, int x, int y, int w, int h)
{
    return CreateWindowExW(0, kind, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr, nullptr, nullptr);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSW type{};
    type.lpfnWndProc = procedure;
    type.hInstance = instance;
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = L"Plain";
    RegisterClassW(&type);
    RECT outer{0, 0, 169, 271};
    AdjustWindowRect(&outer, WS_OVERLAPPEDWINDOW, FALSE);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, L"Plain", L"Tamsverolind", WS_OVERLAPPEDWINDOW, 626, 275,
                                  outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
    child(window, L"BUTTON", L"Now", BS_GROUPBOX, 8, 0, 153, 73);
    clock = child(window, L"STATIC", L"", 0, 16, 16, 137, 49);
    child(window, L"BUTTON", L"Action", BS_GROUPBOX, 8, 80, 153, 161);
    HWND box = child(window, L"COMBOBOX", L"", CBS_DROPDOWN | WS_TABSTOP, 16, 100, 137, 100);
    for (const wchar_t *item : {L"Shut Down", L"Restart", L"Log Off"})
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    child(window, L"BUTTON", L"by set Date/Time", BS_AUTORADIOBUTTON | WS_TABSTOP, 16, 124, 137, 17);
    child(window, DATETIMEPICK_CLASSW, L"", DTS_UPDOWN | WS_TABSTOP, 16, 144, 137, 21);
    child(window, L"BUTTON", L"by Count Down", BS_AUTORADIOBUTTON | WS_TABSTOP, 16, 176, 137, 17);
    countDown = child(window, DATETIMEPICK_CLASSW, L"", DTS_TIMEFORMAT | WS_TABSTOP, 16, 196, 137, 21);
    child(window, L"BUTTON", L"Ok", BS_PUSHBUTTON | WS_TABSTOP, 8, 244, 73, 23);
    child(window, L"BUTTON", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, 88, 244, 73, 23);
    SetTimer(window, 1, 1000, nullptr);
    ShowWindow(window, show);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return 0;
}
