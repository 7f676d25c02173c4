#pragma once

#include "RequestFate.h"
#include "Values.h"

#include <cstdint>
#include <functional>
#include <string>

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

    // Asks the system to end the session without waiting for an answer.
    virtual Delivery exitWindows(SessionAction action) = 0;

    // The answer to the last request that was Sent.
    virtual Answer lastAnswer() const = 0;

    // Keeps the machine from sleeping by itself (idle sleep) for the reason given, which a
    // later call replaces; the screen may still blank and lock, and the session may still
    // end. Taking the hold never waits: one that cannot be taken yet is taken when it can.
    virtual void holdAwake(const std::string &reason) = 0;

    // Lets the machine sleep by itself again.
    virtual void releaseAwake() = 0;

    // Ends the program: no handler runs after the current one returns.
    virtual void endProgram() = 0;

    // Starts a program from its command line with a window style (3 = maximised);
    // false when nothing could be started.
    virtual bool startProgram(const std::string &commandLine, int windowStyle) = 0;

    // Opens a mailto: or https: address with the user's own mail or web handler, without
    // waiting; `whenKnown` is told whether it opened: false at once when none could be
    // started, or once the handler has said it found nothing to open it with.
    virtual void openWithUserHandler(const std::string &url, std::function<void(bool opened)> whenKnown) = 0;
};
