#include "FormDescription.h"

#include <algorithm>

namespace form {

namespace {

using enum ControlId;
using enum ControlKind;

constexpr std::array<ControlDescription, 11> table{{
    {Timer1, "Timer1", Timer, Form1, "", {0, 0, 0, 0}, -1, true, false, PickerFormat::None, 1000},
    {Command2, "Command2", CommandButton, Form1, "Cancel", {1320, 3600, 1095, 375}, 7, false},
    {Command1, "Command1", CommandButton, Form1, "Ok", {120, 3600, 1095, 375}, 6},
    {Frame1, "Frame1", Frame, Form1, "Now", {120, 0, 2295, 1455}, 8},
    {Label1, "Label1", Label, Frame1, "", {240, 240, 1935, 1095}, 0, true, false, PickerFormat::None, 0, {}, "Now"},
    {Frame2, "Frame2", Frame, Form1, "Action", {120, 1440, 2295, 2055}, 9},
    {dtpCountDown,
     "dtpCountDown",
     DatePicker,
     Frame2,
     "",
     {600, 1560, 1095, 375},
     5,
     true,
     false,
     PickerFormat::TimeOfDay,
     0,
     "by Count Down"},
    {dtpTime,
     "dtpTime",
     DatePicker,
     Frame2,
     "",
     {240, 720, 1815, 375},
     3,
     true,
     false,
     PickerFormat::DateAndTime,
     0,
     "by set Date/Time"},
    {cboShutdown,
     "cboShutdown",
     ComboBox,
     Frame2,
     "Shut Down",
     {720, 0, 1215, 330},
     1,
     true,
     false,
     PickerFormat::None,
     0,
     "Action"},
    {Option2, "Option2", OptionButton, Frame2, "by Count Down", {240, 1200, 1695, 255}, 4},
    {Option1, "Option1", OptionButton, Frame2, "by set Date/Time", {240, 360, 1695, 255}, 2, true, true},
}};

bool takesFocus(ControlKind kind)
{
    return kind == CommandButton || kind == DatePicker || kind == ComboBox || kind == OptionButton;
}

} // namespace

std::span<const ControlDescription> controls()
{
    return table;
}

const ControlDescription &control(ControlId id)
{
    return *std::find_if(table.begin(), table.end(), [id](const ControlDescription &c) { return c.id == id; });
}

std::vector<ControlId> tabOrder()
{
    std::vector<const ControlDescription *> focusable;
    for (const ControlDescription &c : table) {
        if (takesFocus(c.kind))
            focusable.push_back(&c);
    }
    std::sort(focusable.begin(), focusable.end(),
              [](const auto *a, const auto *b) { return a->tabIndex < b->tabIndex; });
    std::vector<ControlId> order;
    order.reserve(focusable.size());
    for (const auto *c : focusable)
        order.push_back(c->id);
    return order;
}

ControlId firstFocus()
{
    return tabOrder().front();
}

} // namespace form
