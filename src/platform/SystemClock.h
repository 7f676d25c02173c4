#pragma once

#include "Platform.h"

// The clock and the user's locale, the same on every operating system; the backends add
// what differs.
class SystemClockPlatform : public Platform {
public:
    QDateTime currentDateTime() const final;
    // CLOCK_MONOTONIC on Linux: it stands still while the machine sleeps.
    std::int64_t monotonicMs() const final;
    Separators separators() const final;
};
