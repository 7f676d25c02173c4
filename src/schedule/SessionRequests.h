#pragma once

#include "SessionAction.h"

#include <cstdint>
#include <optional>

class Platform;
enum class RequestOutcome;

// One request as the schedule makes it: a change to any part is a new request.
struct RequestKey {
    SessionAction action;
    bool bySetTime;
    std::int64_t targetSecond; // the set time's second; 0 for the count-down
    bool operator==(const RequestKey &) const = default;
};

// When to ask the session to end. Every ask can cut short the time in which other
// programs save their work, so a request the session accepted, or has not answered yet,
// is not made again while its trigger stays met; one that was refused or could not be
// sent is made again at the next tick whose trigger is met.
class SessionRequests {
public:
    explicit SessionRequests(Platform &platform);

    // A tick whose trigger is met: asks unless the same request holds. True when the
    // request left the program now, so that "Log Off" may end it.
    bool ask(const RequestKey &request);

    // The trigger is not met (or the schedule was armed anew): the next met tick is a new request.
    void release() { m_held.reset(); }

    // What became of the last request made.
    RequestOutcome outcome() const;

private:
    Platform &m_platform;
    // The last request that left the program, while its trigger stays met.
    std::optional<RequestKey> m_held;
};
