// What following the machine's time zone costs a tick: the program's local clock reading
// (tzset, then localtime_r) beside localtime_r alone, which keeps the zone it first read.
#include "platform/SystemClock.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace {

template <typename Read> double nsPerCall(Read read, int calls)
{
    const auto begin = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i)
        read();
    const std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - begin;
    return spent.count() / calls;
}

volatile int sink = 0;

} // namespace

int main()
{
    constexpr int calls = 200'000;
    const double alone = nsPerCall(
        [] {
            timespec now{};
            clock_gettime(CLOCK_REALTIME, &now);
            tm local{};
            localtime_r(&now.tv_sec, &local);
            sink = local.tm_sec;
        },
        calls);
    const double following = nsPerCall([] { sink = systemclock::localNow().second; }, calls);
    std::printf("local clock read: %.0f ns following the zone, %.0f ns without: %.1fx, %.0f ns more a tick "
                "(a tick is once a second)\n",
                following, alone, following / alone, following - alone);
}
