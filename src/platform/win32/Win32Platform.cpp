#include "Win32Platform.h"

#include "Wide.h"
#include "Win32Session.h"
#include "platform/BrowserCommand.h"
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

RequestOutcome Win32Platform::exitWindows(SessionAction action)
{
    win32::exitWindows(action);
    return RequestOutcome::Untracked;
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
    if (win32::startProgram(commandLine, windowStyle))
        return true;
    // That browser is missing: the address opens with the user's own mail or web handler.
    const auto address = addressOfCommandLine(commandLine);
    return address && win32::openWithDefaultHandler(urlOfAddress(*address));
}
