#pragma once

#include "schedule/DateValue.h"
#include "schedule/SessionAction.h"

#include <cstdint>
#include <string>

// What became of a request to end the session, as far as the program knows now.
enum class RequestOutcome {
    NotSent,    // nothing could carry it yet (no bus connected): ask again at the next tick
    Unanswered, // sent; no answer yet, or none in time
    Accepted,   // the session agreed to end
    Refused,    // the session said no
    Untracked,  // handed to a system that keeps no answer for the program (Windows)
};

// Everything the handlers need from the clock and the operating system. Each front-end
// provides one; tests use a fake. Texts are UTF-8.
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

    // Asks the system to end the session without waiting for an answer: NotSent,
    // Unanswered or Untracked.
    virtual RequestOutcome exitWindows(SessionAction action) = 0;

    // What has become of the last request sent since: its answer once one came.
    virtual RequestOutcome lastRequestOutcome() const = 0;

    // Ends the program: no handler runs after the current one returns.
    virtual void endProgram() = 0;

    // Starts a program from its command line with a window style (3 = maximised);
    // false when nothing could be started.
    virtual bool startProgram(const std::string &commandLine, int windowStyle) = 0;
};
