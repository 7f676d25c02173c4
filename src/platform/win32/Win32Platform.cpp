#include "Win32Platform.h"

#include "Wide.h"
#include "Win32Session.h"
#include "platform/SystemClock.h"

namespace {

std::string localeText(LCTYPE type, const char *fallback)
{
    wchar_t text[8] = {};
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, text, 8);
    return length > 1 ? utf8(std::wstring_view(text, static_cast<std::size_t>(length - 1))) : fallback;
}

} // namespace

Separators Win32Platform::separators() const
{
    return {localeText(LOCALE_SDATE, "/"), localeText(LOCALE_STIME, ":")};
}

WallClock Win32Platform::currentDateTime() const
{
    return systemclock::localNow();
}

std::int64_t Win32Platform::monotonicMs() const
{
    return systemclock::monotonicMs();
}

std::int64_t Win32Platform::sinceBootMs() const
{
    return systemclock::sinceBootMs();
}

Delivery Win32Platform::exitWindows(SessionAction action)
{
    win32::exitWindows(action);
    return Delivery::HandedOver;
}

void Win32Platform::endProgram()
{
    // The window and its timer go at once; the message loop ends before any other handler.
    if (m_window)
        DestroyWindow(m_window);
    PostQuitMessage(0);
}

bool Win32Platform::startProgram(const std::string &commandLine, int windowStyle)
{
    return win32::startProgram(commandLine, windowStyle);
}

void Win32Platform::openWithUserHandler(const std::string &url, std::function<void(bool opened)> whenKnown)
{
    whenKnown(win32::openWithDefaultHandler(url));
}
