#include "window/FormDescription.h"
#include "window/Placement.h"

#include <doctest.h>

namespace {

// The designed client area at a DPI, with a frame of 8 pixels and a 30-pixel title bar.
PixelRect designedWindow(double dpi)
{
    const PixelRect client = form::clientPlace.toPixels(dpi);
    return {client.left - 8, client.top - 38, client.width + 16, client.height + 46};
}

bool inside(const PixelRect &r, const PixelRect &area)
{
    return r.left >= area.left && r.top >= area.top && r.left + r.width <= area.left + area.width &&
           r.top + r.height <= area.top + area.height;
}

} // namespace

TEST_CASE("the window opens at its designed place when it fits, else just inside the work area")
{
    const struct {
        double dpi;
        PixelRect workArea;
    } screens[] = {
        {96, {0, 0, 1280, 760}},   {96, {0, 0, 1920, 1040}},  {144, {0, 0, 1280, 760}},   {144, {0, 0, 1280, 800}},
        {192, {0, 0, 1920, 1040}}, {192, {0, 0, 1920, 1080}}, {192, {0, 40, 1920, 1040}}, // a taskbar at the top
    };
    for (const auto &[dpi, workArea] : screens) {
        CAPTURE(dpi);
        CAPTURE(workArea.height);
        const PixelRect designed = designedWindow(dpi);
        const PixelRect placed = placeInWorkArea(designed, workArea);
        CHECK(inside(placed, workArea));
        CHECK((placed.width == designed.width && placed.height == designed.height));
        if (inside(designed, workArea)) {
            CHECK((placed.left == designed.left && placed.top == designed.top));
        } else { // moved just enough: touching the edge it crossed, not centred
            CHECK((placed.left == designed.left || placed.left + placed.width == workArea.left + workArea.width));
            CHECK((placed.top == designed.top || placed.top + placed.height == workArea.top + workArea.height));
        }
    }
    // Past the left and top edges, or larger than the whole work area: from its corner.
    const PixelRect area{1920, 0, 1280, 1024}; // a second monitor
    CHECK(placeInWorkArea({1900, -20, 200, 300}, area).left == 1920);
    CHECK(placeInWorkArea({1900, -20, 200, 300}, area).top == 0);
    CHECK(placeInWorkArea({2000, 100, 1400, 1100}, area).left == 1920);
    CHECK(placeInWorkArea({2000, 100, 1400, 1100}, area).top == 0);
}
