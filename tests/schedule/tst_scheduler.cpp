#include "support/FormRig.h"

#include <doctest.h>

using Window = FormRig;

// The rules over time (set time, the count-down's steps, stalls, sleeps, clock steps, edits,
// answers) are the properties' in tst_properties.cpp; these are the cases a reader should see.
TEST_CASE("the clock in the user's separators; a century away is not today; only the three texts ask")
{
    Window w;
    w.platform.localeSeparators = {".", "."};
    w.controls.target = datevalue::fromWallClock({2126, 12, 6, 12, 0, 3}); // the clock text of 12:00:03
    w.ok();
    w.ticks({1000, 1000, 1000});
    CHECK(w.controls.caption == "06.12.26 12.00.03");
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
