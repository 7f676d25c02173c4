#include "Wide.h"
#include "Win32Platform.h"
#include "Win32Window.h"
#include "support/FakePlatform.h"

#include <commctrl.h>
#include <doctest.h>

#include <functional>

using enum ControlId;

namespace {

// The real window over a fake platform, driven by the messages a user's actions send:
// no session is asked, and the clocks move only when the test ticks.
struct Rig {
    FakePlatform platform;
    Win32Window window{platform};
    HWND handle = nullptr;

    Rig()
    {
        static const INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&classes);
        platform.outcome = RequestOutcome::Accepted;
        REQUIRE(window.create(GetModuleHandleW(nullptr)));
        window.show(SW_SHOWNORMAL);
        handle = window.handle();
        KillTimer(handle, Win32Window::tickTimer);
    }
    HWND operator[](ControlId id) const { return window.control(id); }
    void ticks(int count)
    {
        for (int i = 0; i < count; ++i, KillTimer(handle, Win32Window::tickTimer)) {
            platform.advanceMs(1000);
            SendMessageW(handle, WM_TIMER, Win32Window::tickTimer, 0);
        }
    }
    void click(ControlId id) const { SendMessageW(window.control(id), BM_CLICK, 0, 0); }
    void key(ControlId id, WPARAM key)
    {
        MSG message{window.control(id), WM_KEYDOWN, key, 0, 0, {}};
        window.handleDialogKeys(message);
    }
    void setPicker(ControlId id, int hour, int minute, int second) const
    {
        const auto word = [](int value) { return static_cast<WORD>(value); };
        SYSTEMTIME time{2026, 12, 0, 6, word(hour), word(minute), word(second), 0};
        SendMessageW(window.control(id), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
    }
    // The user goes to another window and comes back.
    void leaveAndReturn() const
    {
        SendMessageW(handle, WM_ACTIVATE, WA_INACTIVE, 0);
        SetFocus(handle);
        SendMessageW(handle, WM_ACTIVATE, WA_ACTIVE, 0);
    }
    bool focused(ControlId id) const
    {
        return GetFocus() == window.control(id) || IsChild(window.control(id), GetFocus());
    }
    std::string describe() const
    {
        const bool armed = window.form().state().blnArmed == vbTrue;
        const bool agree =
            IsWindowEnabled(window.control(Command1)) != armed && IsWindowEnabled(window.control(Command2)) == armed;
        std::string text = agree ? (armed ? "armed " : "disarmed ") : "buttons disagree ";
        for (const ControlDescription &c : form::controls())
            text += c.kind != ControlKind::Timer && focused(c.id) ? std::string(c.name) + " " : "";
        text += windowText(window.control(dtpCountDown)) + " ";
        for (const SessionAction action : platform.requests)
            text += "SRL"[static_cast<int>(action)];
        return text + (platform.endProgramCalls > 0 ? " ended" : "");
    }
    HWND edit() const { return GetWindow(window.control(cboShutdown), GW_CHILD); }
};

int textWidth(HWND control, std::string_view text)
{
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    const std::wstring wideText = wide(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, wideText.c_str(), static_cast<int>(wideText.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size.cx;
}

int clientWidth(HWND window)
{
    RECT rect{};
    GetClientRect(window, &rect);
    return rect.right;
}

int menusOpened = 0;
void CALLBACK closeMenu(HWND, UINT, UINT_PTR, DWORD)
{
    HWND menu = FindWindowW(L"#32768", nullptr);
    menusOpened += menu && IsWindowVisible(menu) ? 1 : 0;
    EndMenu();
}

} // namespace

TEST_CASE("user paths through the window: what each control shows and what the system is asked")
{
    // After three ticks: armed or not (the flag and both buttons agree), the focused
    // control, the count-down shown, the requests made (S, R, L) and whether the program ended.
    const std::tuple<const char *, std::function<void(Rig &)>, const char *> rows[] = {
        {"opened", [](Rig &) {}, "disarmed cboShutdown 00:00:00 "},
        {"count-down by keyboard",
         [](Rig &r) { r.key(Option1, VK_DOWN), r.setPicker(dtpCountDown, 0, 0, 2), r.key(Command1, VK_RETURN); },
         "armed Command2 00:00:00 S"},
        {"paused by Cancel",
         [](Rig &r) { r.click(Option2), r.setPicker(dtpCountDown, 0, 0, 5), r.click(Command1), r.click(Command2); },
         "disarmed Command1 00:00:05 "},
        {"a set time, away and back",
         [](Rig &r) { r.setPicker(dtpTime, 12, 0, 2), r.click(Command1), r.leaveAndReturn(); },
         "armed Command2 00:00:00 S"},
        {"Restart typed",
         [](Rig &r) { SetWindowTextW(r[cboShutdown], L"Restart"), r.click(Option2), r.click(Command1); },
         "armed Command2 00:00:00 R"},
        {"Log Off chosen",
         [](Rig &r) { SendMessageW(r[cboShutdown], CB_SETCURSEL, 2, 0), r.click(Option2), r.click(Command1); },
         "armed Command2 00:00:00 L ended"},
    };
    for (const auto &[name, act, expected] : rows) {
        CAPTURE(std::string(name));
        Rig rig;
        act(rig);
        rig.ticks(3);
        CHECK(windowText(rig[Label1]) == "06/12/26 12:00:03");
        CHECK(rig.describe() == expected);
    }
}

TEST_CASE("the action box shows its text from the first letter once it loses the focus")
{
    Rig rig;
    for (const wchar_t *text : {L"Shut Down", L"Restart", L"Log Off", L"Shut Down at once, and then some"}) {
        CAPTURE(utf8(text));
        SetFocus(rig[cboShutdown]);
        SetWindowTextW(rig[cboShutdown], text);
        const auto end = static_cast<WPARAM>(lstrlenW(text));
        SendMessageW(rig.edit(), EM_SETSEL, end, static_cast<LPARAM>(end));
        SendMessageW(rig.edit(), EM_SCROLLCARET, 0, 0);
        SetFocus(rig[Command1]);
        CHECK(static_cast<short>(LOWORD(SendMessageW(rig.edit(), EM_POSFROMCHAR, 0, 0))) >= 0);
    }
}

TEST_CASE("every caption fits its control in the control's font")
{
    Rig rig;
    const int check = GetSystemMetrics(SM_CXMENUCHECK) + 6, upDown = GetSystemMetrics(SM_CXVSCROLL) + 6;
    for (const ControlDescription &c : form::controls()) {
        CAPTURE(std::string(c.name));
        if (c.kind == ControlKind::CommandButton || c.kind == ControlKind::Frame || c.kind == ControlKind::OptionButton)
            CHECK(textWidth(rig[c.id], c.caption) <=
                  clientWidth(rig[c.id]) - (c.id == Option1 || c.id == Option2 ? check : 12));
    }
    for (const std::string_view item : form::actionItems)
        CHECK(textWidth(rig.edit(), item) <= clientWidth(rig.edit()) - 2);
    CHECK(textWidth(rig[dtpTime], "28/12/08 20:58:58") <= clientWidth(rig[dtpTime]) - upDown);
    CHECK(textWidth(rig[dtpCountDown], "20:58:58") <= clientWidth(rig[dtpCountDown]) - upDown);
}

TEST_CASE("right-clicks open the About menu on the clock, the Action frame and the background only")
{
    Rig rig;
    // The clock; where the frames overlap; the Action frame; the background; the Now
    // frame's border; the left button.
    const std::tuple<int, int, UINT, int> rows[] = {
        {60, 40, WM_RBUTTONDOWN, 1}, {100, 96, WM_RBUTTONDOWN, 1}, {140, 120, WM_RBUTTONDOWN, 1},
        {3, 262, WM_RBUTTONDOWN, 1}, {12, 6, WM_RBUTTONDOWN, 0},   {60, 40, WM_LBUTTONDOWN, 0},
    };
    for (const auto &[x, y, message, menus] : rows) {
        CAPTURE(x);
        CAPTURE(y);
        menusOpened = 0;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, closeMenu);
        SendMessageW(rig.handle, message, 0, MAKELPARAM(x, y));
        KillTimer(nullptr, timer);
        CHECK(menusOpened == menus);
    }
}

TEST_CASE("a new DPI takes Windows' suggested place and scaled fonts; new separators reach the pickers")
{
    Rig rig;
    RECT place{1500, 200, 1770, 640};
    SendMessageW(rig.handle, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&place));
    GetWindowRect(rig.handle, &place);
    CHECK((place.left == 1500 && place.top == 200 && place.right == 1770 && place.bottom == 640));
    CHECK(clientWidth(rig[Command1]) == 110); // 1095 twips at 144 dots per inch
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(rig[Command1], WM_GETFONT, 0, 0)), sizeof(font), &font);
    CHECK(font.lfHeight == -16);
    rig.platform.localeSeparators = {".", "."};
    SendMessageW(rig.handle, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"intl"));
    CHECK(windowText(rig[dtpTime]) == "06.12.26 00.00.00");
}

TEST_CASE("a link that cannot open shows one message at a time; Log Off's ending closes the window")
{
    Rig rig;
    rig.platform.programsStart = false;
    for (int i = 0; i < 2; ++i)
        SendMessageW(rig.handle, WM_COMMAND, Win32Window::firstMenuId + homePageItem, 0);
    HWND message = nullptr;
    for (int wait = 0; wait < 100 && !message; ++wait, Sleep(50))
        message = FindWindowW(L"#32770", L"Tamsverolind");
    REQUIRE(message);
    SendMessageW(message, WM_COMMAND, IDOK, 0);
    Sleep(500);
    CHECK(FindWindowW(L"#32770", L"Tamsverolind") == nullptr); // no second one behind it

    Win32Platform system;
    system.setMainWindow(rig.handle);
    system.endProgram();
    MSG quit{};
    CHECK((!IsWindow(rig.handle) && PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)));
}
