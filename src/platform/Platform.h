#pragma once

#include "schedule/DateValue.h"
#include "schedule/SessionAction.h"

#include <cstdint>
#include <string>

// The native window a request is made on: an HWND on Windows, the window object of the
// Qt front-end elsewhere; null in tests.
using WindowHandle = void *;

inline constexpr int hwndTopmost = -1;

// Everything the handlers need from the clock and the operating system. Each front-end
// provides one; tests use a fake. Results of the topmost and session requests are not
// reported: callers ignore them. Texts are UTF-8.
class Platform {
public:
    Platform() = default;
    Platform(const Platform &) = delete;
    Platform &operator=(const Platform &) = delete;
    virtual ~Platform() = default;

    // The local wall-clock date and time, to the millisecond.
    virtual WallClock currentDateTime() const = 0;

    // Milliseconds on a clock that never goes back and stands still while the machine sleeps.
    virtual std::int64_t monotonicMs() const = 0;

    // Milliseconds on a clock that never goes back and runs on while the machine sleeps or
    // the program is stopped: the time that really passed.
    virtual std::int64_t sinceBootMs() const = 0;

    // The user's date and time separators, or "/" and ":" where the locale gives none.
    virtual Separators separators() const = 0;

    // Places the window above all non-topmost windows; flags 3 = neither move nor resize.
    virtual void setWindowPos(WindowHandle window, int insertAfter, std::int32_t flags) = 0;

    // Asks the system to end the session; never waits for an answer.
    virtual void exitWindows(SessionAction action) = 0;

    // The schedule has been armed anew: a request that the session accepted earlier may be
    // made again.
    virtual void scheduleArmed() {}

    // Ends the program: no handler runs after the current one returns.
    virtual void endProgram() = 0;

    // Starts a program from its command line with a window style (3 = maximised);
    // false when nothing could be started.
    virtual bool startProgram(const std::string &commandLine, int windowStyle) = 0;
};
