#pragma once

#include "schedule/DateValue.h"

#include <cstdint>

// The operating system's clocks, as both front-ends read them.
namespace systemclock {

// The local date and time now, to the millisecond, in the time zone in force now (TZ, else
// the machine's, on Linux).
WallClock localNow();

// Milliseconds on a clock that never goes back and stands still while the machine sleeps.
std::int64_t monotonicMs();

// Milliseconds on a clock that never goes back and runs on while the machine sleeps.
std::int64_t sinceBootMs();

} // namespace systemclock
