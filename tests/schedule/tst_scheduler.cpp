#include "support/FormRig.h"

#include <doctest.h>

#include <array>

using Window = FormRig;

// The rules over time (set time, the count-down's steps, stalls, sleeps, clock steps, edits,
// answers) are the properties' in tst_properties.cpp; these are the cases a reader should see.
TEST_CASE("the clock in the user's separators; Ok resumes a paused count-down; a century away is not today")
{
    Window w;
    w.platform.localeSeparators = {".", "."};
    w.armCountDown(30);
    for (int round = 0; round < 2; ++round, w.cancel(), w.ticks({1000, 1000}), w.ok())
        w.ticks({400, 1000}); // counted from "Ok": 1.4 s armed is one whole second
    CHECK(w.controls.caption == "06.12.26 12.00.06");
    CHECK(w.controls.secondsLeft() == 28);
    w.controls.setTimeSelected = true;
    w.controls.target = datevalue::fromWallClock({2126, 12, 6, 12, 0, 9}); // the clock text of 12:00:09
    w.ticks({1000, 1000, 1000});
    CHECK(w.requests() == 0);
    // Only the three texts exactly: another case, or a blank more, asks for nothing.
    for (const char *text : {"restart", "LOG OFF", "Shut down", "Shut Down "}) {
        Window other;
        other.armCountDown(0, text);
        other.ticks({1000, 1000});
        CHECK(other.requests() == 0);
    }
    // The tick lands just after each second begins, never before it.
    for (const int millisecond : {0, 1, 500, 998, 999})
        CHECK((millisecond + msUntilNextTick(millisecond) > 1000 && millisecond + msUntilNextTick(millisecond) < 1010));
}

TEST_CASE("what became of the last request decides: a count-down at zero asks again, a set time once")
{
    const struct {
        const char *name;
        Delivery delivery;
        Answer answer;
        std::array<std::size_t, 7> asked; // the requests each step below makes
        int endsProgram;
    } rows[] = {
        {"accepted", Delivery::Sent, Answer::Accepted, {1, 1, 1, 1, 1, 1, 0}, 1},
        {"awaited", Delivery::Sent, Answer::Awaited, {1, 1, 1, 1, 1, 1, 0}, 1},
        {"no reply in time", Delivery::Sent, Answer::NoReply, {1, 1, 1, 1, 1, 1, 0}, 1},
        {"refused: asked at every tick", Delivery::Sent, Answer::Refused, {3, 2, 2, 2, 1, 3, 0}, 1},
        {"handed over (Windows)", Delivery::HandedOver, Answer::NoReply, {3, 2, 2, 2, 1, 1, 0}, 1},
        {"not sent: asked once a bus is there", Delivery::NotSent, Answer::Awaited, {0, 0, 0, 0, 0, 0, 1}, 0},
    };
    for (const auto &row : rows) {
        const std::string name = row.name;
        CAPTURE(name);
        Window w;
        w.platform.delivery = row.delivery;
        w.platform.answer = row.answer;
        const auto step = [&](int n, auto change, std::initializer_list<std::int64_t> ticks) {
            const std::size_t before = w.requests();
            change();
            w.ticks(ticks);
            CAPTURE(n);
            CHECK(w.requests() - before == row.asked[static_cast<std::size_t>(n)]);
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
