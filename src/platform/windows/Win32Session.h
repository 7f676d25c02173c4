#pragma once

#include "schedule/SessionAction.h"

// The Win32 calls of the program, kept free of Qt so that they build and their choices
// can be checked on any system.
namespace win32 {

// ExitWindowsEx flags for each action: log off, shut down, restart.
inline constexpr unsigned ewxLogoff = 0;
inline constexpr unsigned ewxShutdown = 1;
inline constexpr unsigned ewxReboot = 2;

// The ExitWindowsEx flags of each action.
constexpr unsigned exitFlags(SessionAction action)
{
    switch (action) {
    case SessionAction::ShutDown:
        return ewxShutdown;
    case SessionAction::Restart:
        return ewxReboot;
    case SessionAction::LogOff:
        break;
    }
    return ewxLogoff;
}

// Shutting down and restarting need the shutdown privilege enabled on the process
// token, or Windows refuses them (error 1314); logging off does not.
constexpr bool needsShutdownPrivilege(unsigned flags)
{
    return flags == ewxShutdown || flags == ewxReboot;
}

#ifdef _WIN32
// Enables the privilege where needed, then asks; the result is not reported.
void exitWindows(unsigned flags);

// SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, flags).
void setTopmost(void *window, int insertAfter, unsigned flags);

// Starts a command line with a show-window style, without waiting; false when it cannot start.
bool startProgram(const wchar_t *commandLine, int windowStyle);

// Opens an address with the system's default handler, maximised.
bool openWithDefaultHandler(const wchar_t *address);

bool fileExists(const wchar_t *path);
#endif

} // namespace win32
