#include "support/FormRig.h"

#include <doctest.h>

#include <array>

using Window = FormRig;

TEST_CASE("start-up, the disarmed tick, pausing and resuming, and an exact action text")
{
    Window w;
    w.controls.setTimeSelected = false;
    w.controls.setCountDown(30);
    w.platform.localeSeparators = {".", "."};
    w.ticks();
    CHECK((w.controls.caption == "06.12.26 12.00.01" && w.controls.secondsLeft() == 30)); // disarmed: only the clock
    for (const int paused : {0, 1}) { // paused by Cancel, then resumed
        w.ok();
        w.ticks({400, 1000}); // the first tick after "Ok" steps one second
        w.cancel();
        w.ticks({1000, 1000});
        CHECK(w.controls.secondsLeft() == 28 - 2 * paused);
    }
    // Any other text than an action's asks for nothing, while the count-down runs down.
    for (const char *text : {"restart", "Shut Down ", ""}) {
        Window other;
        other.armCountDown(2, text);
        other.ticks({1000, 1000, 1000});
        CHECK((other.controls.secondsLeft() == 0 && other.requests() == 0));
    }
}

TEST_CASE("count-down follows the time that passed awake")
{
    Window w;
    w.armCountDown(600);
    w.ticks({1000, 4000}); // three ticks lost
    CHECK(w.controls.secondsLeft() == 595);
    // Ticks a few milliseconds early or late, and now and then a doubled one.
    const int jitter[] = {998, 1003, 1000, 996, 1004};
    for (int second = 6; second < 600; ++second) {
        w.ticks({jitter[second % 5]});
        if (second % 97 == 0)
            w.ticks({2});
    }
    CHECK(w.controls.secondsLeft() == 1);
    w.platform.now += 3.0 / 24; // asleep three hours: the monotonic clock stood still
    w.form.scheduler().Timer1_Timer();
    CHECK((w.controls.secondsLeft() == 1 && w.requests() == 0));
    w.ticks({60000}); // far longer than is left: stops at zero and fires
    CHECK((w.controls.secondsLeft() == 0 && w.requests() == 1));
}

TEST_CASE("set time fires once, in the first tick at or after it")
{
    const struct {
        const char *name;
        WallClock target;
        std::vector<std::int64_t> tickMs;
        std::size_t requests;
    } rows[] = {
        {"in its second", {2026, 12, 6, 12, 0, 3}, {1000, 1000, 1000, 300, 1000}, 1},
        {"stalled loop across it", {2026, 12, 6, 12, 0, 3}, {1000, 3000, 1000}, 1},
        {"already passed at Ok", {2026, 12, 6, 8}, {1000, 1000}, 0},
        {"a century away", {2126, 12, 6, 12, 0, 2}, {1000, 1000, 1000}, 0},
        {"asleep a minute across it", {2026, 12, 6, 12, 0, 30}, {1000, 61000, 1000}, 0},
        {"stopped just under a minute", {2026, 12, 6, 12, 0, 30}, {1000, 59000, 1000}, 1},
    };
    for (const auto &row : rows) {
        const std::string name = row.name;
        CAPTURE(name);
        Window w;
        w.controls.setCountDown(9);
        w.controls.target = datevalue::fromWallClock(row.target);
        w.ok();
        for (const std::int64_t ms : row.tickMs)
            w.ticks({ms});
        CHECK((w.requests() == row.requests && w.controls.secondsLeft() == 9)); // set-time mode does not step it
    }
}

TEST_CASE("set time with the clock stepped over it")
{
    Window w;
    w.controls.target = datevalue::fromWallClock({2026, 12, 6, 12, 30});
    w.ok();
    // Stepped an hour ahead over the target (as on a daylight-saving night), then back.
    for (const double hours : {0.0, 1.0, -2.0}) {
        w.platform.now += hours / 24;
        w.ticks();
    }
    CHECK(w.requests() == 1);
    // Time runs forward over the target once more: a new crossing, a new request.
    w.platform.now = datevalue::fromWallClock({2026, 12, 6, 12, 29, 59, 2});
    w.ticks();
    CHECK(w.requests() == 2);
}

TEST_CASE("what became of the last request decides: a count-down at zero asks again, a set time once")
{
    const struct {
        const char *name;
        Delivery delivery;
        Answer answer;
        std::array<std::size_t, 7> requests; // after each step below
        int endsProgram;
    } rows[] = {
        {"accepted", Delivery::Sent, Answer::Accepted, {1, 2, 3, 4, 5, 6, 6}, 1},
        {"awaited", Delivery::Sent, Answer::Awaited, {1, 2, 3, 4, 5, 6, 6}, 1},
        {"no reply in time", Delivery::Sent, Answer::NoReply, {1, 2, 3, 4, 5, 6, 6}, 1},
        {"refused: asked at every tick", Delivery::Sent, Answer::Refused, {3, 5, 7, 9, 10, 13, 13}, 1},
        {"handed over (Windows)", Delivery::HandedOver, Answer::NoReply, {3, 5, 7, 9, 10, 11, 11}, 1},
        {"not sent: asked once a bus is there", Delivery::NotSent, Answer::Awaited, {0, 0, 0, 0, 0, 0, 1}, 0},
    };
    for (const auto &row : rows) {
        const std::string name = row.name;
        CAPTURE(name);
        Window w;
        w.platform.delivery = row.delivery;
        w.platform.answer = row.answer;
        const auto step = [&](int n, auto change, std::initializer_list<std::int64_t> ticks) {
            change();
            w.ticks(ticks);
            CHECK(w.requests() == row.requests[static_cast<std::size_t>(n)]);
        };
        step(0, [&] { w.armCountDown(0); }, {1000, 1000, 1000});
        step(1, [&] { w.controls.actionText = "Restart"; }, {1000, 1000});
        step(2, [&] { w.controls.setCountDown(1); }, {1000, 1000}); // zero again at the first tick
        step(3, [&] { w.cancel(), w.ok(); }, {1000, 1000});
        step(4, [&] { w.controls.actionText = "Log Off"; }, {1000});
        CHECK(w.platform.endProgramCalls == row.endsProgram); // never without a request
        step(5,
             [&] {
                 w.controls.actionText = "Shut Down";
                 w.controls.setTimeSelected = true;
                 w.controls.target = w.platform.now + 2.0 / 86400;
             },
             {1000, 1000, 1000, 1000});
        step(6, [&] { w.platform.delivery = Delivery::Sent, w.platform.answer = Answer::Accepted; }, {1000});
    }
}
