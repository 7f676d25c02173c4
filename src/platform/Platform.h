#pragma once

#include "schedule/DateValue.h"
#include "schedule/SessionAction.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <memory>

class QWidget;

// Everything the handlers need from the clock and the operating system. Exactly one
// backend is compiled in (linux/ or windows/); tests use a fake. Results of the topmost
// and session requests are not reported: callers ignore them.
class Platform {
public:
    Platform() = default;
    Platform(const Platform &) = delete;
    Platform &operator=(const Platform &) = delete;
    virtual ~Platform() = default;

    // The local wall-clock date and time, to the millisecond.
    virtual QDateTime currentDateTime() const = 0;

    // Milliseconds on a clock that never goes back and stands still while the machine sleeps.
    virtual std::int64_t monotonicMs() const = 0;

    // The user's date and time separators, or "/" and ":" where the locale gives none.
    virtual Separators separators() const = 0;

    // Places the window above all non-topmost windows; flags 3 = neither move nor resize.
    virtual void setWindowPos(QWidget *window, int insertAfter, std::int32_t flags) = 0;

    // Asks the system to end the session; never waits for an answer.
    virtual void exitWindows(SessionAction action) = 0;

    // Ends the program: no handler runs after the current one returns.
    virtual void endProgram() = 0;

    // Starts a program from its command line with a window style (3 = maximised);
    // false when nothing could be started.
    virtual bool startProgram(const QString &commandLine, int windowStyle) = 0;

    // Called once the event loop has ended: lets a request made by the last handler leave
    // the program (at most a moment) before it exits.
    virtual void finish() {}
};

inline constexpr int hwndTopmost = -1;

// The backend compiled for this operating system; made once the application object exists.
std::unique_ptr<Platform> createPlatform();

// Before the application object exists: picks the window system the program prefers.
void chooseWindowSystem();
// Right after: programs started later get the environment the program was started with.
void forgetWindowSystemChoice();
