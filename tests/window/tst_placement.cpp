#include "window/ClockFace.h"
#include "window/FormDescription.h"
#include "window/Placement.h"

#include <doctest.h>

TEST_CASE("the window opens at its designed place when it fits, else just inside the work area")
{
    const auto inside = [](const PixelRect &r, const PixelRect &area) {
        return r.left >= area.left && r.top >= area.top && r.left + r.width <= area.left + area.width &&
               r.top + r.height <= area.top + area.height;
    };
    // At each DPI on screens of 1280x800 and 1920x1080 (a taskbar at the bottom or the top).
    for (const double dpi : {96.0, 144.0, 192.0}) {
        for (const PixelRect area : {PixelRect{0, 0, 1280, 760}, PixelRect{0, 40, 1920, 1040}}) {
            const PixelRect client = form::clientPlace.toPixels(dpi);
            const PixelRect designed{client.left - 8, client.top - 38, client.width + 16,
                                     client.height + 46}; // a frame
            const PixelRect placed = placeInWorkArea(designed, area);
            CAPTURE(dpi);
            CHECK(inside(placed, area));
            const bool moved = placed.left != designed.left || placed.top != designed.top;
            CHECK(moved == !inside(designed, area));
            // Only as far as it must: to the edge it crossed, never centred.
            CHECK((placed.left == designed.left || placed.left + placed.width == area.left + area.width));
            CHECK((placed.top == designed.top || placed.top + placed.height == area.top + area.height));
        }
    }
    // Past the left and top edges of a second monitor, or larger than it: from its corner.
    const PixelRect area{1920, 0, 1280, 1024};
    for (const PixelRect window : {PixelRect{1900, -20, 200, 300}, PixelRect{2000, 100, 1400, 1100}})
        CHECK((placeInWorkArea(window, area).left == 1920 && placeInWorkArea(window, area).top == 0));
}

TEST_CASE("the clock's face: its design size while the wider line fits, else smaller in proportion, not below half")
{
    const int lines[][2] = {{100, 24}, {120, 20}, {150, 16}, {1000, 12}}; // the wider line in a room of 100
    for (const auto &[widerLine, points] : lines)
        CHECK(clockPointsToFit(24, widerLine, 100) == points);
}
