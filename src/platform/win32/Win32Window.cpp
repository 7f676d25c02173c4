#include "Win32Window.h"

#include "Wide.h"
#include "about/AboutMenu.h"
#include "schedule/Scheduler.h"

#include <commctrl.h>
#include <oleacc.h>

#include <thread>

namespace {

constexpr wchar_t windowClass[] = L"Tamsverolind.Form1";
constexpr UINT_PTR tickTimer = 1;
constexpr int firstControlId = 100;
constexpr int firstMenuId = 1000;

int controlIdOf(ControlId id)
{
    return firstControlId + static_cast<int>(id);
}

DWORD styleOf(const ControlDescription &c)
{
    // Clipped by the siblings above them: the action box sits on its frame's top edge.
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | (c.enabled ? 0 : WS_DISABLED);
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

HFONT dialogFont(UINT dpi)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi);
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

HFONT clockFont(UINT dpi)
{
    LOGFONTW font{};
    font.lfHeight = -MulDiv(form::clockFont.points, static_cast<int>(dpi), 72);
    font.lfWeight = form::clockFont.weight;
    font.lfCharSet = static_cast<BYTE>(form::clockFont.charset);
    const std::wstring face = wide(form::clockFont.face);
    face.copy(font.lfFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectW(&font);
}

bool isPushButton(HWND window)
{
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return lstrcmpiW(name, WC_BUTTONW) == 0 &&
           (SendMessageW(window, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

} // namespace

Win32Window::Win32Window(Win32Platform &platform) : m_platform(platform), m_form(*this, platform)
{
}

Win32Window::~Win32Window()
{
    if (m_window)
        DestroyWindow(m_window);
    if (m_aboutMenu)
        DestroyMenu(m_aboutMenu);
    DeleteObject(m_dialogFont);
    DeleteObject(m_clockFont);
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
    m_platform.setMainWindow(m_window);
    createControls();
    layOut(GetDpiForWindow(m_window));
    m_form.Form_Load();
    scheduleTick();
    return true;
}

void Win32Window::createControls()
{
    for (const ControlDescription &c : form::controls()) {
        if (c.kind == ControlKind::Timer)
            continue;
        const bool startsGroup = c.kind != ControlKind::DatePicker && c.id != ControlId::Option2;
        HWND child = CreateWindowExW(
            0, classOf(c.kind), wide(c.caption).c_str(), styleOf(c) | (startsGroup ? WS_GROUP : 0), 0, 0, 0, 0,
            m_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlIdOf(c.id))), nullptr, nullptr);
        m_controls[c.id] = child;
        if (c.kind == ControlKind::OptionButton && c.selected)
            SendMessageW(child, BM_SETCHECK, BST_CHECKED, 0);
    }
    HWND box = control(ControlId::cboShutdown);
    for (const std::string_view item : form::actionItems)
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(item).c_str()));
    SetWindowTextW(box, wide(form::control(ControlId::cboShutdown).caption).c_str());
    const SYSTEMTIME range[2] = {systemTime(form::pickerMinimum), systemTime(form::pickerMaximum)};
    const SYSTEMTIME design = systemTime(form::pickerDesignValue);
    for (const ControlId picker : {ControlId::dtpTime, ControlId::dtpCountDown}) {
        SendMessageW(control(picker), DTM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(range));
        SendMessageW(control(picker), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&design));
    }
    setPickerFormats();
    orderForTabbing();
    nameForScreenReaders();

    m_aboutMenu = CreatePopupMenu();
    const std::vector<std::string> captions = aboutCaptions();
    for (std::size_t index = 0; index < captions.size(); ++index) {
        const UINT_PTR id = firstMenuId + index;
        if (captions[index] == "-")
            AppendMenuW(m_aboutMenu, MF_SEPARATOR, id, nullptr);
        else
            AppendMenuW(m_aboutMenu, MF_STRING, id, wide(captions[index]).c_str());
    }
}

void Win32Window::nameForScreenReaders()
{
    // The pickers, the action box and the clock have no caption of their own: each is given
    // the name of the option before it, or of its role, as a screen reader speaks it.
    IAccPropServices *services = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void **>(&services))))
        return;
    for (const ControlDescription &c : form::controls()) {
        if (!c.accessibleName.empty() && m_controls.count(c.id))
            services->SetHwndPropStr(control(c.id), static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                                     wide(c.accessibleName).c_str());
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
    SendMessageW(control(ControlId::dtpTime), DTM_SETFORMATW, 0,
                 reinterpret_cast<LPARAM>(wide(datevalue::clockPattern(separators)).c_str()));
    SendMessageW(control(ControlId::dtpCountDown), DTM_SETFORMATW, 0,
                 reinterpret_cast<LPARAM>(wide(datevalue::timeOfDayPattern(separators)).c_str()));
}

RECT Win32Window::placeOf(ControlId id) const
{
    const ControlDescription &c = form::control(id);
    TwipsRect twips = c.place;
    if (c.parent != ControlId::Form1) {
        twips.left += form::control(c.parent).place.left;
        twips.top += form::control(c.parent).place.top;
    }
    const PixelRect p = twips.toPixels(m_dpi);
    return {p.left, p.top, p.left + p.width, p.top + p.height};
}

void Win32Window::layOut(UINT dpi)
{
    m_dpi = dpi;
    // The client area at its designed place and size, the frame around it.
    const PixelRect client = form::clientPlace.toPixels(dpi);
    RECT outer{client.left, client.top, client.left + client.width, client.top + client.height};
    AdjustWindowRectExForDpi(&outer, static_cast<DWORD>(GetWindowLongPtrW(m_window, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(GetWindowLongPtrW(m_window, GWL_EXSTYLE)), dpi);
    SetWindowPos(m_window, nullptr, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    DeleteObject(m_dialogFont);
    DeleteObject(m_clockFont);
    m_dialogFont = dialogFont(dpi);
    m_clockFont = clockFont(dpi);
    for (const auto &[id, child] : m_controls) {
        RECT place = placeOf(id);
        if (id == ControlId::cboShutdown)
            place.bottom += MulDiv(120, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI); // its drop-down list
        MoveWindow(child, place.left, place.top, place.right - place.left, place.bottom - place.top, FALSE);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(id == ControlId::Label1 ? m_clockFont : m_dialogFont),
                     TRUE);
    }
}

void Win32Window::show(int showCommand)
{
    ShowWindow(m_window, showCommand);
    UpdateWindow(m_window);
}

void Win32Window::scheduleTick()
{
    // Re-armed before the handler runs, to land just after the next wall-clock second.
    SetTimer(m_window, tickTimer, static_cast<UINT>(msUntilNextTick(m_platform.currentDateTime().millisecond)),
             nullptr);
}

bool Win32Window::handleDialogKeys(MSG &message)
{
    // Return and Enter press the focused button, as in a dialog.
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN && isPushButton(message.hwnd) &&
        GetParent(message.hwnd) == m_window) {
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
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == controlIdOf(ControlId::Command1) && HIWORD(wParam) == BN_CLICKED)
            m_form.scheduler().Command1_Click();
        else if (id == controlIdOf(ControlId::Command2) && HIWORD(wParam) == BN_CLICKED)
            m_form.scheduler().Command2_Click();
        else if (id >= firstMenuId && HIWORD(wParam) == 0)
            m_form.about().mnusubAbout_Click(static_cast<std::int16_t>(id - firstMenuId));
        return 0;
    }
    case WM_LBUTTONDOWN:
        mouseDown(vbLeftButton, lParam);
        return 0;
    case WM_RBUTTONDOWN:
        mouseDown(vbRightButton, lParam);
        return 0;
    case WM_MBUTTONDOWN:
        mouseDown(vbMiddleButton, lParam);
        return 0;
    case WM_CONTEXTMENU:
        // The context-menu key and Shift+F10 stand for a right-click on the window; a
        // right-click on a control opens nothing.
        if (lParam == -1)
            m_form.about().Form_MouseDown(vbRightButton, 0, 0, 0);
        return 0;
    case WM_DPICHANGED:
        layOut(HIWORD(wParam));
        return 0;
    case WM_SETTINGCHANGE:
        if (lParam && lstrcmpW(reinterpret_cast<const wchar_t *>(lParam), L"intl") == 0) {
            m_platform.readSeparators();
            setPickerFormats();
        }
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

void Win32Window::mouseDown(std::int16_t button, LPARAM position)
{
    // The frames and the clock let the mouse through to the window: which surface was
    // pressed is told by the designed places.
    const POINT point{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    const auto inside = [&](ControlId id) {
        const RECT place = placeOf(id);
        return PtInRect(&place, point) != FALSE;
    };
    const auto twips = [&](int pixels) { return pixelsToTwips(pixels, m_dpi); };
    const std::int16_t shift =
        static_cast<std::int16_t>((GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0));
    AboutHandlers &about = m_form.about();
    if (inside(ControlId::Label1))
        about.Label1_MouseDown(button, shift, twips(point.x - placeOf(ControlId::Label1).left),
                               twips(point.y - placeOf(ControlId::Label1).top));
    else if (inside(ControlId::Frame2))
        about.Frame2_MouseDown(button, shift, twips(point.x - placeOf(ControlId::Frame2).left),
                               twips(point.y - placeOf(ControlId::Frame2).top));
    else if (!inside(ControlId::Frame1))
        about.Form_MouseDown(button, shift, twips(point.x), twips(point.y));
}

std::string Win32Window::labelCaption() const
{
    return windowText(control(ControlId::Label1));
}

void Win32Window::setLabelCaption(const std::string &caption)
{
    SetWindowTextW(control(ControlId::Label1), wide(caption).c_str());
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
    HWND button = control(form::controlOf(option));
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED ? vbTrue : vbFalse;
}

std::string Win32Window::comboText() const
{
    return windowText(control(ControlId::cboShutdown));
}

DateValue Win32Window::pickerValue(Picker which) const
{
    SYSTEMTIME time{};
    SendMessageW(control(form::controlOf(which)), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
    return datevalue::roundedToSecond(datevalue::fromWallClock(
        {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond, time.wMilliseconds}));
}

void Win32Window::setPickerValue(Picker which, DateValue value)
{
    const SYSTEMTIME time = systemTime(datevalue::toWallClock(datevalue::roundedToSecond(value)));
    SendMessageW(control(form::controlOf(which)), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
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
    // On a thread of its own and owned by no window, so the window goes on answering.
    const std::wstring text = wide("No program could be started to open this address:\n\n" + address +
                                   "\n\nPress Ctrl+C to copy this message.");
    const std::wstring caption = wide(form::caption);
    std::thread([text, caption] {
        MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONWARNING | MB_SETFOREGROUND | MB_TOPMOST);
    }).detach();
}
