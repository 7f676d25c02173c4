#pragma once

#include "ports/Values.h"

#include <string>

// The Win32 calls that end the session and start programs.
namespace win32 {

// ExitWindowsEx flags for each action: log off, shut down, restart.
constexpr unsigned exitFlags(SessionAction action)
{
    switch (action) {
    case SessionAction::ShutDown:
        return 1; // EWX_SHUTDOWN
    case SessionAction::Restart:
        return 2; // EWX_REBOOT
    case SessionAction::LogOff:
        break;
    }
    return 0; // EWX_LOGOFF
}

// Enables the shutdown privilege where the action needs it (without it Windows refuses
// with error 1314), then asks, giving a planned reason; the result is not reported.
void exitWindows(SessionAction action);

// Starts a command line (UTF-8) with a show-window style, without waiting; false when it
// cannot start.
bool startProgram(const std::string &commandLine, int windowStyle);

// Opens an address (UTF-8) with the user's default handler, maximised.
bool openWithDefaultHandler(const std::string &address);

} // namespace win32
