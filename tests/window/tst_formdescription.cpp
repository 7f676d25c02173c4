#include "window/FormDescription.h"

#include <doctest.h>

#include <algorithm>

TEST_CASE("the description: tab order, parents and design values")
{
    using enum ControlId;
    // Frames and the label take no focus; the rest in tab-index order.
    CHECK(form::tabOrder() ==
          std::vector<ControlId>{cboShutdown, Option1, dtpTime, Option2, dtpCountDown, Command1, Command2});
    for (const ControlDescription &control : form::controls()) {
        CAPTURE(control.name);
        // Every parent is created before its children.
        if (control.parent != Form1) {
            const auto all = form::controls();
            const auto parent = std::find_if(all.begin(), all.end(), [&](auto &c) { return c.id == control.parent; });
            const auto self = std::find_if(all.begin(), all.end(), [&](auto &c) { return c.id == control.id; });
            CHECK(parent < self);
            CHECK(form::control(control.parent).kind == ControlKind::Frame);
        }
        // A control without a caption of its own still has a name a screen reader speaks.
        if (control.kind != ControlKind::Timer)
            CHECK_FALSE((control.caption.empty() && control.accessibleName.empty()));
    }
    CHECK(form::clientPlace.toPixels(96).left == 626);
    CHECK(form::clientPlace.toPixels(144).width == 254);
}
