#pragma once

#include <string>
#include <string_view>

// Whether a bus's socket answers a client's first line, looked at without any D-Bus
// library: Qt connects on its one D-Bus thread and waits there, so a bus that takes the
// connection and then says nothing would hold every other bus too.
enum class BusReach {
    Answers, // or an address whose transport is not looked at: D-Bus itself decides
    Absent,  // nothing listens there: fails at once wherever it is used
    Silent,  // takes the connection, then says nothing within the time given
};

struct BusLook {
    BusReach reach;
    std::string why; // for Absent: the system's reason
};

BusLook lookAtBus(std::string_view addresses, int answerWithinMs);
