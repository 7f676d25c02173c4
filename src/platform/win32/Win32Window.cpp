#include "Win32Window.h"

#include "Wide.h"
#include "Win32Controls.h"
#include "about/AboutMenu.h"
#include "ports/Platform.h"
#include "schedule/DateValue.h"
#include "schedule/Scheduler.h"

#include <commctrl.h>
#include <oleacc.h>

#include <atomic>
#include <memory>

namespace {

constexpr wchar_t windowClass[] = L"Tamsverolind.Form1";
constexpr int firstControlId = 100;

int controlIdOf(ControlId id)
{
    return firstControlId + static_cast<int>(id);
}

// The thread of the link-failure message that is open, if any: one at a time.
std::atomic<DWORD> messageThread{0};

struct Message {
    std::wstring text;
    std::wstring caption;
};

DWORD WINAPI showMessage(void *parameter)
{
    const std::unique_ptr<Message> message(static_cast<Message *>(parameter));
    MessageBoxW(nullptr, message->text.c_str(), message->caption.c_str(),
                MB_OK | MB_ICONWARNING | MB_SETFOREGROUND | MB_TOPMOST);
    messageThread = 0;
    return 0;
}

BOOL CALLBACK bringForward(HWND window, LPARAM)
{
    SetForegroundWindow(window);
    return FALSE;
}

} // namespace

Win32Window::Win32Window(Platform &platform) : m_platform(platform), m_form(*this, platform)
{
}

Win32Window::~Win32Window()
{
    if (m_window)
        DestroyWindow(m_window);
    if (m_aboutMenu)
        DestroyMenu(m_aboutMenu);
}

bool Win32Window::create(HINSTANCE instance)
{
    WNDCLASSEXW windowClassInfo{};
    windowClassInfo.cbSize = sizeof(windowClassInfo);
    windowClassInfo.lpfnWndProc = windowProcedure;
    windowClassInfo.hInstance = instance;
    windowClassInfo.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClassInfo.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClassInfo.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClassInfo.lpszClassName = windowClass;
    RegisterClassExW(&windowClassInfo);
    // Created topmost as well: some window managers (Wine's X11 driver among them) give
    // the "above" state only to a window that is topmost from its creation.
    m_window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_CONTROLPARENT, windowClass, wide(form::caption).c_str(),
                               WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0, nullptr, nullptr,
                               instance, this);
    if (!m_window)
        return false;
    m_dpi = win32::dpiOf(m_window);
    const RECT outer = win32::placedWindowRect(m_window, m_dpi);
    SetWindowPos(m_window, nullptr, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    createControls();
    m_form.Form_Load();
    scheduleTick();
    return true;
}

void Win32Window::createControls()
{
    for (const ControlDescription &c : form::controls()) {
        if (c.kind != ControlKind::Timer)
            m_controls[c.id] = win32::createControl(m_window, c, win32::placeOf(c.id, m_dpi), controlIdOf(c.id));
    }
    m_fonts.apply(m_controls, m_dpi);
    win32::combo::fill(control(ControlId::cboShutdown), form::control(ControlId::cboShutdown));
    for (const ControlId picker : {ControlId::dtpTime, ControlId::dtpCountDown}) {
        win32::picker::setRange(control(picker), form::pickerMinimum, form::pickerMaximum);
        win32::picker::setValue(control(picker), form::pickerDesignValue);
    }
    const auto picker = [this](ControlId id) { return PickerSteps::Picker{control(id), form::control(id).format}; };
    m_pickerSteps.emplace(std::array{picker(ControlId::dtpTime), picker(ControlId::dtpCountDown)});
    m_pickerDays.emplace(control(ControlId::dtpTime));
    setPickerFormats();
    orderForTabbing();
    nameForScreenReaders();
    buildAboutMenu();
    m_lastFocus = control(form::firstFocus());
}

void Win32Window::buildAboutMenu()
{
    m_aboutMenu = CreatePopupMenu();
    const std::vector<AboutItem> items = aboutItems();
    for (std::size_t index = 0; index < items.size(); ++index) {
        const UINT_PTR id = firstMenuId + index;
        if (items[index].separator)
            AppendMenuW(m_aboutMenu, MF_SEPARATOR, id, nullptr);
        else
            AppendMenuW(m_aboutMenu, MF_STRING, id, wide(items[index].caption).c_str());
    }
}

void Win32Window::nameForScreenReaders()
{
    // The pickers and the action box have no caption of their own: each is given the name of
    // the option before it, or of its role, as a screen reader speaks it. The clock is read
    // by its text, the time, and described as "Now".
    IAccPropServices *services = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void **>(&services))))
        return;
    for (const ControlDescription &c : form::controls()) {
        for (const auto &[property, value] : {std::pair{PROPID_ACC_NAME, c.accessibleName},
                                              std::pair{PROPID_ACC_DESCRIPTION, c.accessibleDescription}}) {
            if (value.empty() || !m_controls.count(c.id))
                continue;
            // The action box's edit field, which takes the focus, is named as the box.
            HWND edit = c.id == ControlId::cboShutdown ? GetWindow(control(c.id), GW_CHILD) : nullptr;
            for (HWND named : {control(c.id), edit}) {
                if (named)
                    services->SetHwndPropStr(named, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, property,
                                             wide(value).c_str());
            }
        }
    }
    services->Release();
}

void Win32Window::orderForTabbing()
{
    // Dialog navigation follows the z-order: the controls that take the focus first, in
    // their tab order, then the clock and the frames beneath them.
    HWND previous = HWND_TOP;
    std::vector<ControlId> order = form::tabOrder();
    order.insert(order.end(), {ControlId::Label1, ControlId::Frame1, ControlId::Frame2});
    for (const ControlId id : order) {
        SetWindowPos(control(id), previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = control(id);
    }
}

void Win32Window::setPickerFormats()
{
    const Separators separators = m_platform.separators();
    win32::picker::setFormat(control(ControlId::dtpTime), datevalue::clockPattern(separators));
    win32::picker::setFormat(control(ControlId::dtpCountDown), datevalue::timeOfDayPattern(separators));
}

void Win32Window::changeDpi(UINT dpi, const RECT &suggested)
{
    // Windows suggests where the window goes on the monitor it moved to: it stays there.
    m_dpi = dpi;
    SetWindowPos(m_window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    win32::placeControls(m_controls, dpi);
    m_fonts.apply(m_controls, dpi);
}

void Win32Window::keepInsideWorkArea()
{
    // Where the window still lies wholly inside a work area it stays, wherever the user put it.
    RECT outer{};
    GetWindowRect(m_window, &outer);
    const RECT inside = win32::insideWorkArea(outer);
    if (inside.left != outer.left || inside.top != outer.top)
        SetWindowPos(m_window, nullptr, inside.left, inside.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::show(int showCommand)
{
    ShowWindow(m_window, showCommand);
    UpdateWindow(m_window);
    SetFocus(m_lastFocus);
}

void Win32Window::scheduleTick()
{
    // Re-armed before the handler runs, to land just after the next wall-clock second.
    SetTimer(m_window, tickTimer, static_cast<UINT>(msUntilNextTick(m_platform.currentDateTime().millisecond)),
             nullptr);
}

// The window's keyboard, in one place. Each message of the loop comes here first; what is
// not taken goes to IsDialogMessage, which walks Tab and Shift+Tab through the tab stops
// (both options are stops: keepOptionsAsTabStops) and dispatches the rest, where Shift+F10
// and the context-menu key become a WM_CONTEXTMENU that reaches the window (handle()). Taken here, before it: Return on
// a button, which IsDialogMessage would press at every repeat; the arrows on an option, whose group walk would stop at
// the picker between the two; and the wheel.
bool Win32Window::preTranslateMessage(MSG &message)
{
    rememberFocus(); // where the last message left it: every change is seen
    // The wheel changes a control only when it has the keyboard focus in the active window:
    // with "scroll inactive windows", Windows sends it to the control under the pointer, and
    // a notch passing over the window must not change the schedule.
    if (message.message == WM_MOUSEWHEEL && (message.hwnd == m_window || IsChild(m_window, message.hwnd))) {
        HWND focus = GetFocus();
        const bool focused =
            focus && (focus == message.hwnd || IsChild(message.hwnd, focus) || IsChild(focus, message.hwnd));
        const bool changes = focused && GetForegroundWindow() == m_window;
        if (changes && m_pickerSteps)
            m_pickerSteps->seen(message);
        return !changes;
    }
    if (m_pickerSteps)
        m_pickerSteps->seen(message); // a step the picker is about to take
    if (m_pickerDays && m_pickerDays->seen(message))
        return true; // a digit typed into the target's day
    // Return and Enter press the focused button, as in a dialog; once a press, however long
    // the key is held (a repeat has bit 30 set: the key was down already), or Ok, which moves
    // the focus to Cancel, would be followed by Cancel, then Ok again.
    constexpr LPARAM keyWasDown = LPARAM{1} << 30;
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN && win32::button::isPushButton(message.hwnd) &&
        GetParent(message.hwnd) == m_window) {
        if (!(message.lParam & keyWasDown))
            SendMessageW(message.hwnd, BM_CLICK, 0, 0);
        return true;
    }
    // The arrow keys move between the two options, as in any option group; the dialog's own
    // group walk would stop at the pickers that lie between them in the tab order.
    const bool arrow =
        message.wParam == VK_UP || message.wParam == VK_DOWN || message.wParam == VK_LEFT || message.wParam == VK_RIGHT;
    if (message.message == WM_KEYDOWN && arrow &&
        (message.hwnd == control(ControlId::Option1) || message.hwnd == control(ControlId::Option2))) {
        HWND other = control(message.hwnd == control(ControlId::Option1) ? ControlId::Option2 : ControlId::Option1);
        SetFocus(other);
        SendMessageW(other, BM_CLICK, 0, 0);
        return true;
    }
    return m_window && IsDialogMessageW(m_window, &message);
}

LRESULT CALLBACK Win32Window::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *self = static_cast<Win32Window *>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->m_window = window;
    }
    auto *self = reinterpret_cast<Win32Window *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->handle(window, message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Win32Window::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        if (wParam == tickTimer) {
            scheduleTick();
            m_form.scheduler().Timer1_Timer();
        }
        return 0;
    case WM_COMMAND:
        command(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY:
        if (const auto *notice = reinterpret_cast<const NMHDR *>(lParam);
            notice->code == DTN_DATETIMECHANGE && m_pickerSteps) {
            m_pickerSteps->changed(notice->hwndFrom);
            m_pickerDays->changed(notice->hwndFrom);
        }
        return 0;
    case WM_LBUTTONDOWN:
        mouseDown(MouseButton::Left, lParam);
        return 0;
    case WM_RBUTTONDOWN:
        mouseDown(MouseButton::Right, lParam);
        return 0;
    case WM_MBUTTONDOWN:
        mouseDown(MouseButton::Middle, lParam);
        return 0;
    case WM_CONTEXTMENU:
        // The context-menu key and Shift+F10 stand for a right-click on the window; a
        // right-click on a control opens nothing.
        if (lParam == -1)
            m_form.surfacePressed(ControlId::Form1, MouseButton::Right, {}, 0, 0);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            rememberFocus();
        else
            restoreFocus();
        return 0;
    case WM_SETFOCUS: // from a control when the window is minimised; to the bare window when restored
        if (HWND from = reinterpret_cast<HWND>(wParam); from && IsChild(window, from))
            m_lastFocus = from;
        restoreFocus();
        return 0;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED && GetFocus() == window)
            restoreFocus();
        return 0;
    case WM_DPICHANGED:
        changeDpi(HIWORD(wParam), *reinterpret_cast<const RECT *>(lParam));
        return 0;
    case WM_SETTINGCHANGE:
        if (lParam && lstrcmpW(reinterpret_cast<const wchar_t *>(lParam), L"intl") == 0)
            setPickerFormats();
        if (wParam == SPI_SETWORKAREA)
            keepInsideWorkArea();
        return 0;
    case WM_DISPLAYCHANGE: // a monitor added, removed or given another resolution
        keepInsideWorkArea();
        return 0;
    case WM_DESTROY:
        KillTimer(window, tickTimer);
        m_window = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void Win32Window::command(int id, int notification)
{
    if (id == controlIdOf(ControlId::Command1) && notification == BN_CLICKED)
        m_form.scheduler().Command1_Click();
    else if (id == controlIdOf(ControlId::Command2) && notification == BN_CLICKED)
        m_form.scheduler().Command2_Click();
    else if ((id == controlIdOf(ControlId::Option1) || id == controlIdOf(ControlId::Option2)) &&
             notification == BN_CLICKED)
        keepOptionsAsTabStops();
    else if (id == controlIdOf(ControlId::cboShutdown) && notification == CBN_KILLFOCUS)
        win32::combo::showFromStart(control(ControlId::cboShutdown));
    else if (id >= firstMenuId && notification == 0)
        m_form.about().mnusubAbout_Click(static_cast<std::int16_t>(id - firstMenuId));
}

void Win32Window::keepOptionsAsTabStops()
{
    // An automatic option button takes the tab stop from the others of its group when it is
    // checked; both are stops in the window's tab order (the arrow keys move between them).
    for (const ControlId id : {ControlId::Option1, ControlId::Option2}) {
        HWND option = control(id);
        SetWindowLongPtrW(option, GWL_STYLE, GetWindowLongPtrW(option, GWL_STYLE) | WS_TABSTOP);
    }
}

void Win32Window::rememberFocus()
{
    HWND focus = GetFocus();
    if (focus && IsChild(m_window, focus))
        m_lastFocus = focus;
}

void Win32Window::restoreFocus()
{
    // As a dialog does: the control that had the focus has it again when the window is
    // activated or given the focus, and once it is restored from the taskbar (a minimised
    // window keeps the focus itself).
    if (!IsIconic(m_window) && m_lastFocus && IsWindowEnabled(m_lastFocus))
        SetFocus(m_lastFocus);
}

void Win32Window::mouseDown(MouseButton button, LPARAM position)
{
    // The frames and the clock let the mouse through to the window: which surface was
    // pressed is told by the designed places. The clock lies in the "Now" frame, and the
    // "Action" frame overlaps that frame by a pixel: the clock, then the "Action" frame, win.
    const POINT point{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    const auto inside = [&](ControlId id) {
        const RECT place = win32::placeOf(id, m_dpi);
        return PtInRect(&place, point) != FALSE;
    };
    const ControlId surface = inside(ControlId::Label1)   ? ControlId::Label1
                              : inside(ControlId::Frame2) ? ControlId::Frame2
                              : inside(ControlId::Frame1) ? ControlId::Frame1
                                                          : ControlId::Form1;
    const RECT origin = surface == ControlId::Form1 ? RECT{} : win32::placeOf(surface, m_dpi);
    const Modifiers keys{GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_MENU) < 0};
    m_form.surfacePressed(surface, button, keys, pixelsToTwips(point.x - origin.left, m_dpi),
                          pixelsToTwips(point.y - origin.top, m_dpi));
}

std::string Win32Window::labelCaption() const
{
    return m_caption;
}

void Win32Window::setLabelCaption(const std::string &caption)
{
    m_caption = caption;
    const std::wstring drawn = wide(datevalue::drawnClock(caption));
    m_fonts.fitClock(control(ControlId::Label1), drawn, m_dpi);
    SetWindowTextW(control(ControlId::Label1), drawn.c_str());
}

void Win32Window::setButtonEnabled(Button which, bool enabled)
{
    EnableWindow(control(form::controlOf(which)), enabled);
}

void Win32Window::giveFocus(Button which)
{
    SetFocus(control(form::controlOf(which)));
}

VbBoolean Win32Window::optionValue(Option option) const
{
    return win32::button::checked(control(form::controlOf(option))) ? vbTrue : vbFalse;
}

std::string Win32Window::comboText() const
{
    return windowText(control(ControlId::cboShutdown));
}

DateValue Win32Window::pickerValue(Picker which) const
{
    return datevalue::roundedToSecond(datevalue::fromWallClock(win32::picker::value(control(form::controlOf(which)))));
}

void Win32Window::setPickerValue(Picker which, DateValue value)
{
    win32::picker::setValue(control(form::controlOf(which)), datevalue::toWallClock(datevalue::roundedToSecond(value)));
}

void Win32Window::setWindowPos(int insertAfter, std::int32_t flags)
{
    SetWindowPos(m_window, reinterpret_cast<HWND>(static_cast<INT_PTR>(insertAfter)), 0, 0, 0, 0,
                 static_cast<UINT>(flags));
}

void Win32Window::popUpAboutMenu()
{
    // At the pointer; from the keyboard, at the window's corner when the pointer is elsewhere.
    POINT point{};
    GetCursorPos(&point);
    RECT window{};
    GetWindowRect(m_window, &window);
    if (!PtInRect(&window, point)) {
        point = {0, 0};
        ClientToScreen(m_window, &point);
    }
    // The menu runs its own loop, in which the tick goes on.
    TrackPopupMenu(m_aboutMenu, 0, point.x, point.y, 0, m_window, nullptr);
}

void Win32Window::showLinkFailure(const std::string &address)
{
    // On a thread of its own and owned by no window, so the window goes on answering; while
    // one is open, another failure brings it forward instead of opening a second.
    if (const DWORD open = messageThread.load()) {
        EnumThreadWindows(open, bringForward, 0);
        return;
    }
    auto message = std::make_unique<Message>(Message{wide("No program could be started to open this address:\n\n" +
                                                          address + "\n\nPress Ctrl+C to copy this message."),
                                                     wide(form::caption)});
    DWORD thread = 0;
    HANDLE handle = CreateThread(nullptr, 0, showMessage, message.get(), CREATE_SUSPENDED, &thread);
    if (!handle)
        return;
    message.release();
    messageThread = thread;
    ResumeThread(handle);
    CloseHandle(handle);
}
