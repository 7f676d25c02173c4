#pragma once

// The three ways the program can end the session, in the order the action box lists them.
// Kept free of Qt: the Windows backend's plain Win32 code uses it too.
enum class SessionAction { ShutDown, Restart, LogOff };

// After a log-off request the program ends itself; after the others it keeps running
// until the system closes it.
constexpr bool endsProgram(SessionAction action)
{
    return action == SessionAction::LogOff;
}
