#pragma once

// The plain values the core and the ports share: standard C++ only, at the bottom of the
// include order (front-ends -> core -> ports and these).

#include <cstdint>
#include <string>

// A point in time or a span as days since 30 December 1899 00:00 local wall time;
// the fraction is the time of day. Before that day the whole part is negative and
// the fraction still counts forward, so -1.25 is 29 December 1899 06:00.
using DateValue = double;

// The 16-bit Boolean of the window's state and option values.
using VbBoolean = std::int16_t;
inline constexpr VbBoolean vbTrue = -1;
inline constexpr VbBoolean vbFalse = 0;

inline constexpr int secondsPerDay = 86400;

// A local wall-clock reading, field by field, as the clock and the pickers give it.
struct WallClock {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;

    bool operator==(const WallClock &) const = default;
};

// The user's date and time separators (UTF-8).
struct Separators {
    std::string date = "/";
    std::string time = ":";

    bool operator==(const Separators &) const = default;
};

// The three ways the program can end the session, in the order the action box lists them.
enum class SessionAction { ShutDown, Restart, LogOff };

// After a log-off request the program ends itself; after the others it keeps running
// until the system closes it.
constexpr bool endsProgram(SessionAction action)
{
    return action == SessionAction::LogOff;
}
