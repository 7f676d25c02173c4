#include "SystemClock.h"

#include <algorithm>
#include <chrono>

#ifdef _WIN32
#include <windows.h>
#else
#include <ctime>
#endif

namespace systemclock {

WallClock localNow()
{
#ifdef _WIN32
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
#else
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    // localtime_r keeps the zone it first read; tzset reads it again when /etc/localtime has
    // changed (a zone set by the user, or after travel), at the cost of one stat().
    tzset();
    tm local{};
    localtime_r(&now.tv_sec, &local);
    return {local.tm_year + 1900,
            local.tm_mon + 1,
            local.tm_mday,
            local.tm_hour,
            local.tm_min,
            std::min(local.tm_sec, 59),
            static_cast<int>(now.tv_nsec / 1'000'000)};
#endif
}

std::int64_t monotonicMs()
{
#ifdef _WIN32
    // Unbiased: the time the machine spent asleep is left out.
    ULONGLONG hundredNs = 0;
    QueryUnbiasedInterruptTime(&hundredNs);
    return static_cast<std::int64_t>(hundredNs / 10'000);
#else
    // CLOCK_MONOTONIC: it stands still while the machine sleeps.
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
#endif
}

std::int64_t sinceBootMs()
{
#ifdef _WIN32
    return static_cast<std::int64_t>(GetTickCount64());
#else
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return std::int64_t{now.tv_sec} * 1000 + now.tv_nsec / 1'000'000;
#endif
}

} // namespace systemclock
