#include "BusSocket.h"
#include "platform/qt/QtPlatform.h"

#include <cstdio>
#include <cstdlib>

namespace {

// How long a session bus that takes the connection and says nothing may delay the window.
// A bus daemon answers within a millisecond; a loaded login may take most of a second.
constexpr int answerWithinMs = 1000;

} // namespace

void leaveOutHungSessionBus()
{
    const char *addresses = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (!addresses || lookAtBus(addresses, answerWithinMs).reach != BusReach::Silent)
        return;
    // Qt's accessibility and desktop settings ask the session bus before the window shows,
    // and would wait for it for ever: for them, an address that no transport takes. The
    // program's own requests, and the programs it starts, keep the user's address.
    std::fprintf(stderr, "Tamsverolind: the session bus does not answer; the window goes on without it.\n");
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
}
