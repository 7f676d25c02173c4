#include "Wide.h"
#include "Win32Controls.h"
#include "Win32Window.h"
#include "support/FakePlatform.h"
#include "support/PickerCases.h"
#include "support/RecordedAnnotations.h"

#include <commctrl.h>
#include <doctest.h>

using enum ControlId;

namespace {

// What a user's action sends: a message to a control (Form1: to the window); key presses
// go through the window's dialog keys.
struct Step {
    ControlId to;
    UINT message;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

SYSTEMTIME oneSecondPast = {2026, 12, 0, 6, 0, 0, 1, 0}, noonAndTwo = {2026, 12, 0, 6, 12, 0, 2, 0};
const auto pointer = [](const void *value) { return reinterpret_cast<LPARAM>(value); };

// A mouse button pressed at a point of the client area (pixels at 96 dots per inch).
Step press(UINT button, int x, int y)
{
    return {Form1, button, 0, MAKELPARAM(x, y)};
}

int menusOpened = 0;
void CALLBACK closeMenu(HWND, UINT, UINT_PTR, DWORD)
{
    HWND menu = FindWindowW(L"#32768", nullptr);
    menusOpened += menu && IsWindowVisible(menu) ? 1 : 0;
    EndMenu();
}

// The real window over a fake platform: no session is asked, and the clocks move only
// when the test ticks.
struct Rig {
    FakePlatform platform;
    Win32Window window{platform};

    Rig()
    {
        static const INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&classes);
        REQUIRE(window.create(GetModuleHandleW(nullptr)));
        window.show(SW_SHOWNORMAL);
    }
    HWND operator[](ControlId id) const { return id == Form1 ? window.handle() : window.control(id); }
    // Sends a step; a menu it opens is counted and closed.
    void run(const Step &step, HWND to = nullptr)
    {
        MSG message{to ? to : (*this)[step.to], step.message, step.wParam, step.lParam, 0, {}};
        const UINT_PTR menuTimer = SetTimer(nullptr, 0, 50, closeMenu);
        const bool queued = step.message == WM_KEYDOWN || step.message == WM_CHAR || step.message == WM_MOUSEWHEEL ||
                            to; // pass the message loop
        if (!queued || !window.preTranslateMessage(message))
            SendMessageW(message.hwnd, step.message, step.wParam, step.lParam);
        KillTimer(nullptr, menuTimer);
        KillTimer(window.handle(), Win32Window::tickTimer); // the test ticks
    }
    void ticks(int count)
    {
        // An ended program runs no more handlers.
        for (int i = 0; i < count && platform.endProgramCalls == 0; ++i, platform.advanceMs(1000))
            run({Form1, WM_TIMER, Win32Window::tickTimer});
    }
    // Armed or not (the flag and both buttons agree), the focused control, the count-down,
    // whether the machine is held awake, the requests made (S, R, L), whether the program
    // ended, and the menus opened.
    std::string describe() const
    {
        const bool armed = window.form().state().blnArmed == vbTrue;
        std::string text = IsWindowEnabled((*this)[Command1]) != armed && IsWindowEnabled((*this)[Command2]) == armed
                               ? (armed ? "armed " : "disarmed ")
                               : "buttons disagree ";
        for (const ControlDescription &c : form::controls())
            text += c.id != Timer1 && (GetFocus() == (*this)[c.id] || IsChild((*this)[c.id], GetFocus()))
                        ? std::string(c.name) + " "
                        : "";
        text += windowText((*this)[dtpCountDown]) + (platform.hold ? " held " : " ");
        for (const SessionAction action : platform.requests)
            text += "SRL"[static_cast<int>(action)];
        text += platform.endProgramCalls > 0 ? " ended" : "";
        return menusOpened > 0 ? text + " menus " + std::to_string(menusOpened) : text;
    }
    HWND edit() const { return GetWindow((*this)[cboShutdown], GW_CHILD); }
    // A picker given a value and the focus, and the field that begins at this index of its
    // text clicked, which selects it.
    HWND selectField(ControlId id, const WallClock &value, std::size_t field);
};

// Text drawn in a control's font: on one line, or broken into lines within a width.
RECT drawnText(HWND control, std::string_view text, int breakWithin = 0)
{
    HDC dc = GetDC(control);
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT room{0, 0, breakWithin, 0};
    DrawTextW(dc, wide(text).c_str(), -1, &room, DT_CALCRECT | DT_NOPREFIX | (breakWithin ? DT_WORDBREAK : 0));
    ReleaseDC(control, dc);
    return room;
}

int textWidth(HWND control, std::string_view text)
{
    return drawnText(control, text).right;
}

// A window's place on the screen, or its client area's size.
RECT rectOf(HWND window, bool client = false)
{
    RECT rect{};
    client ? GetClientRect(window, &rect) : GetWindowRect(window, &rect);
    return rect;
}
int clientWidth(HWND window)
{
    return rectOf(window, true).right;
}

HWND Rig::selectField(ControlId id, const WallClock &value, std::size_t field)
{
    HWND picker = (*this)[id];
    win32::picker::setValue(picker, value);
    SetForegroundWindow((*this)[Form1]);
    SetFocus(picker);
    const std::string text = windowText(picker);
    const int x = 3 + textWidth(picker, text.substr(0, field)) + textWidth(picker, text.substr(field, 1));
    SendMessageW(picker, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 8));
    SendMessageW(picker, WM_LBUTTONUP, 0, MAKELPARAM(x, 8));
    return picker;
}

} // namespace

TEST_CASE("user paths through the window: what each control shows and what the system is asked")
{
    const Step countDown{Option2, BM_CLICK}, ok{Command1, BM_CLICK};
    const std::tuple<const char *, std::vector<Step>, const char *> rows[] = {
        {"opened", {}, "disarmed cboShutdown 00:00:00 "},
        {"Return held on Ok: its repeats press nothing",
         {{Command1, WM_KEYDOWN, VK_RETURN, 1},
          {Command2, WM_KEYDOWN, VK_RETURN, 0x40000001},
          {Command2, WM_KEYDOWN, VK_RETURN, 0x40000001}},
         "armed Command2 00:00:00 held "},
        {"Ok, then Cancel: held awake while armed", {ok, {Command2, BM_CLICK}}, "disarmed Command1 00:00:00 "},
        {"a set time",
         {{dtpTime, DTM_SETSYSTEMTIME, GDT_VALID, pointer(&noonAndTwo)}, ok},
         "armed Command2 00:00:00 held S"},
        // Windows keeps no answer: asked at each tick at zero.
        {"count-down by keyboard; then a wheel notch over each control without the focus changes nothing",
         {{Option1, WM_KEYDOWN, VK_DOWN},
          {dtpCountDown, DTM_SETSYSTEMTIME, GDT_VALID, pointer(&oneSecondPast)},
          {Command1, WM_KEYDOWN, VK_RETURN},
          {cboShutdown, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA)},
          {dtpCountDown, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA)},
          {dtpTime, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA)}},
         "armed Command2 00:00:00 held SS"},
        {"both options stay tab stops, whichever is checked",
         {{Option2, BM_CLICK}, {Option1, BM_CLICK}, {Option1, WM_KEYDOWN, VK_TAB}, {dtpTime, WM_KEYDOWN, VK_TAB}},
         "disarmed Option2 00:00:00 "},
        {"minimised and restored: the focus where it was",
         {{Option2, BM_CLICK}, {Form1, WM_SYSCOMMAND, SC_MINIMIZE}, {Form1, WM_SYSCOMMAND, SC_RESTORE}},
         "disarmed Option2 00:00:00 "},
        {"Log Off chosen", {{cboShutdown, CB_SETCURSEL, 2}, countDown, ok}, "armed Command2 00:00:00 held L ended"},
        // The clock, where the frames overlap, the Action frame, the background; then the Now
        // frame's border and the left button.
        {"right-clicks",
         {press(WM_RBUTTONDOWN, 60, 40), press(WM_RBUTTONDOWN, 100, 96), press(WM_RBUTTONDOWN, 140, 120),
          press(WM_RBUTTONDOWN, 3, 262), press(WM_RBUTTONDOWN, 12, 6), press(WM_LBUTTONDOWN, 60, 40)},
         "disarmed cboShutdown 00:00:00  menus 4"},
    };
    for (const auto &[name, steps, expected] : rows) {
        const std::string row = name;
        CAPTURE(row);
        Rig rig;
        menusOpened = 0;
        for (const Step &step : steps)
            rig.run(step);
        rig.ticks(3);
        CHECK(windowText(rig[Label1]) == (rig.platform.endProgramCalls ? "06/12/26 12:00:00" : "06/12/26 12:00:02"));
        CHECK(rig.describe() == std::string(expected));
    }
}

TEST_CASE("no step wraps, every day typed is kept: the keys and the up-down button on a field; the digits")
{
    int row = 0;
    for (const StepCase &step : stepCases) {
        CAPTURE(row);
        if (step.value.year < 1753 || step.value.year > 9998)
            continue; // Wine's pickers take no value at the ends of Windows' range
        Rig rig;
        const bool countDown = step.value.year == 2000;
        const ControlId id = countDown ? dtpCountDown : dtpTime;
        // Where the field begins in "dd/MM/yy HH:mm:ss", or in the count-down's "HH:mm:ss".
        const std::size_t at = std::array<std::size_t, 6>{6, 3, 0, 9, 12, 15}[static_cast<std::size_t>(step.field)] -
                               (countDown ? 9U : 0U);
        HWND picker = rig.selectField(id, step.value, at);
        HWND upDown = FindWindowExW(picker, nullptr, UPDOWN_CLASSW, nullptr);
        const RECT size = rectOf(upDown, true);
        if (row++ % 3 == 0 && step.direction > 0) { // the up-down button's upper half
            rig.run({id, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(size.right / 2, size.bottom / 4)}, upDown);
            rig.run({id, WM_LBUTTONUP, 0, MAKELPARAM(size.right / 2, size.bottom / 4)}, upDown);
        } else {
            rig.run({id, WM_KEYDOWN, static_cast<WPARAM>(step.direction > 0 ? VK_UP : VK_DOWN)});
        }
        CHECK(win32::picker::value(picker) == step.expected);
    }
    for (const WallClock &before : typedFrom) {
        for (const int day : typedDays) {
            CAPTURE(before.month);
            CAPTURE(day);
            Rig rig;
            HWND picker = rig.selectField(dtpTime, before, 0);
            for (const char key : std::to_string(day) + ">12>26") {
                if (key == '>')
                    rig.run({dtpTime, WM_KEYDOWN, VK_RIGHT});
                else
                    rig.run({dtpTime, WM_CHAR, static_cast<WPARAM>(key)});
            }
            CHECK(windowText(picker) == std::to_string(day) + "/12/26 09:00:00");
        }
    }
}

TEST_CASE("what the user reads: the action box from its first letter once it loses the focus; captions that "
          "fit; each control's name for a screen reader, the action box's edit field's too")
{
    REQUIRE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    RecordedAnnotations annotations;
    DWORD registration = 0;
    REQUIRE(SUCCEEDED(CoRegisterClassObject(CLSID_AccPropServices, static_cast<IClassFactory *>(&annotations),
                                            CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &registration)));
    Rig rig;
    CoRevokeClassObject(registration);
    CHECK(annotations.names[rig.edit()] == L"Action");
    for (const wchar_t *text : {L"Shut Down", L"Restart", L"Log Off", L"Shut Down at once, and then some"}) {
        CAPTURE(utf8(text));
        SetFocus(rig[cboShutdown]);
        SetWindowTextW(rig[cboShutdown], text);
        SendMessageW(rig.edit(), EM_SETSEL, static_cast<WPARAM>(lstrlenW(text)), lstrlenW(text));
        SendMessageW(rig.edit(), EM_SCROLLCARET, 0, 0);
        SetFocus(rig[Command1]);
        CHECK(static_cast<short>(LOWORD(SendMessageW(rig.edit(), EM_POSFROMCHAR, 0, 0))) >= 0);
    }
    // Each caption in its control's font, beside the room its control leaves for text.
    const int check = GetSystemMetrics(SM_CXMENUCHECK) + 6, upDown = GetSystemMetrics(SM_CXVSCROLL) + 6;
    for (const ControlDescription &c : form::controls()) {
        CAPTURE(std::string(c.name));
        const bool option = c.kind == ControlKind::OptionButton;
        if (option || c.kind == ControlKind::CommandButton || c.kind == ControlKind::Frame)
            CHECK(textWidth(rig[c.id], c.caption) <= clientWidth(rig[c.id]) - (option ? check : 12));
        if (!c.accessibleName.empty())
            CHECK(annotations.names[rig[c.id]] == wide(c.accessibleName));
    }
    for (const std::string_view item : form::actionItems)
        CHECK(textWidth(rig.edit(), item) <= clientWidth(rig.edit()) - 2);
    CHECK(textWidth(rig[dtpTime], "28/12/08 20:58:58") <= clientWidth(rig[dtpTime]) - upDown);
    CHECK(textWidth(rig[dtpCountDown], "20:58:58") <= clientWidth(rig[dtpCountDown]) - upDown);
}

TEST_CASE("the screens changed, a new DPI, new separators; a link message at a time")
{
    Rig rig;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(rig[Form1], MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT work = monitor.rcWork;
    // A window no longer wholly inside a work area comes back just enough.
    for (const auto &[message, wParam] :
         {std::pair{UINT{WM_DISPLAYCHANGE}, WPARAM{32}}, std::pair{UINT{WM_SETTINGCHANGE}, WPARAM{SPI_SETWORKAREA}}}) {
        CAPTURE(message);
        // Where the user put it, half off the right edge, as a smaller resolution leaves it.
        SetWindowPos(rig[Form1], nullptr, work.right - 80, work.top + 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        const RECT before = rectOf(rig[Form1]);
        rig.run({Form1, message, wParam, 0});
        const RECT after = rectOf(rig[Form1]);
        CHECK((after.right == work.right && after.top == before.top));
        CHECK(after.right - after.left == before.right - before.left);
        rig.run({Form1, message, wParam, 0}); // wholly inside: it stays
        CHECK(rectOf(rig[Form1]).left == after.left);
    }
    RECT suggested{1500, 200, 1770, 640};
    rig.run({Form1, WM_DPICHANGED, MAKEWPARAM(144, 144), pointer(&suggested)});
    const RECT place = rectOf(rig[Form1]);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(rig[Command1], WM_GETFONT, 0, 0)), sizeof(font), &font);
    // Where Windows suggested, its controls and fonts scaled: 1095 twips and 8 points at 144 dots per inch.
    CHECK((place.left == 1500 && place.top == 200 && place.right == 1770 && place.bottom == 640));
    CHECK(clientWidth(rig[Command1]) == 110);
    CHECK(font.lfHeight == -16);
    // Hungarian's date separator, French Canada's time separator under Wine: literal text in
    // the pickers, and the clock's date over its whole time.
    rig.platform.localeSeparators = {". ", " 'h' "};
    rig.run({Form1, WM_SETTINGCHANGE, 0, pointer(L"intl")});
    rig.ticks(1);
    std::string shown = windowText(rig[dtpTime]);
    std::erase(shown, '\''); // Wine's picker drops a doubled apostrophe, Windows shows one
    CHECK(shown == "06. 12. 26 00 h 00 h 00");
    const RECT lines = drawnText(rig[Label1], windowText(rig[Label1]), clientWidth(rig[Label1]));
    CHECK(lines.bottom == 2 * drawnText(rig[Label1], "0").bottom); // in a face made smaller to fit
    CHECK(lines.right <= clientWidth(rig[Label1]));

    rig.platform.programsStart = false;
    rig.platform.userHandlerOpens = false;
    for (int i = 0; i < 2; ++i)
        rig.run({Form1, WM_COMMAND, Win32Window::firstMenuId + homePageItem});
    HWND message = nullptr;
    for (int wait = 0; wait < 100 && !message; ++wait, Sleep(50))
        message = FindWindowW(L"#32770", L"Tamsverolind");
    REQUIRE(message);
    SendMessageW(message, WM_COMMAND, IDOK, 0);
    Sleep(500);
    CHECK(FindWindowW(L"#32770", L"Tamsverolind") == nullptr); // no second one behind it
}
