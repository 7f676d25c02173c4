#include "FormDescription.h"

#include <algorithm>

namespace form {

namespace {

using enum ControlId;
using enum ControlKind;

// As a dialog template: each control names what differs from the defaults (a child of the
// window, enabled, unselected, no tab stop).
constexpr std::array<ControlDescription, 11> table{{
    {.id = Timer1, .name = "Timer1", .kind = Timer, .intervalMs = 1000},
    {.id = Command2,
     .name = "Command2",
     .kind = CommandButton,
     .caption = "Cancel",
     .place = {1320, 3600, 1095, 375},
     .tabIndex = 7,
     .enabled = false},
    {.id = Command1,
     .name = "Command1",
     .kind = CommandButton,
     .caption = "Ok",
     .place = {120, 3600, 1095, 375},
     .tabIndex = 6},
    {.id = Frame1, .name = "Frame1", .kind = Frame, .caption = "Now", .place = {120, 0, 2295, 1455}, .tabIndex = 8},
    {.id = Label1,
     .name = "Label1",
     .kind = Label,
     .parent = Frame1,
     .place = {240, 240, 1935, 1095},
     .tabIndex = 0,
     .accessibleDescription = "Now"},
    {.id = Frame2,
     .name = "Frame2",
     .kind = Frame,
     .caption = "Action",
     .place = {120, 1440, 2295, 2055},
     .tabIndex = 9},
    {.id = dtpCountDown,
     .name = "dtpCountDown",
     .kind = DatePicker,
     .parent = Frame2,
     .place = {600, 1560, 1095, 375},
     .tabIndex = 5,
     .format = PickerFormat::TimeOfDay,
     .accessibleName = "by Count Down"},
    {.id = dtpTime,
     .name = "dtpTime",
     .kind = DatePicker,
     .parent = Frame2,
     .place = {240, 720, 1815, 375},
     .tabIndex = 3,
     .format = PickerFormat::DateAndTime,
     .accessibleName = "by set Date/Time"},
    {.id = cboShutdown,
     .name = "cboShutdown",
     .kind = ComboBox,
     .parent = Frame2,
     .caption = "Shut Down",
     .place = {720, 0, 1215, 330},
     .tabIndex = 1,
     .accessibleName = "Action"},
    {.id = Option2,
     .name = "Option2",
     .kind = OptionButton,
     .parent = Frame2,
     .caption = "by Count Down",
     .place = {240, 1200, 1695, 255},
     .tabIndex = 4},
    {.id = Option1,
     .name = "Option1",
     .kind = OptionButton,
     .parent = Frame2,
     .caption = "by set Date/Time",
     .place = {240, 360, 1695, 255},
     .tabIndex = 2,
     .selected = true},
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

PickerEnds pickerEnds(PickerFormat format, const WallClock &value)
{
    if (format != PickerFormat::TimeOfDay)
        return {pickerMinimum, pickerMaximum};
    const WallClock first = datevalue::startOfDay(value);
    return {first, {first.year, first.month, first.day, 23, 59, 59}};
}

} // namespace form
