#pragma once

#include "Twips.h"
#include "ports/FormControls.h"
#include "schedule/DateValue.h"

#include <array>
#include <span>
#include <string_view>
#include <vector>

// The program's one window as designed: every front-end builds its native window from
// these tables, so that a caption, a place or a tab index is written once.

enum class ControlKind { Timer, CommandButton, Frame, Label, DatePicker, ComboBox, OptionButton };

enum class ControlId {
    Form1,
    Timer1,
    Command2,
    Command1,
    Frame1,
    Label1,
    Frame2,
    dtpCountDown,
    dtpTime,
    cboShutdown,
    Option2,
    Option1
};

// How a date-time picker shows and edits its value.
enum class PickerFormat { None, DateAndTime, TimeOfDay };

struct FontDescription {
    std::string_view face;
    int points;
    int weight;  // 400 is regular
    int charset; // the Windows character set the face is asked for in
};

struct ControlDescription {
    ControlId id;
    std::string_view name;
    ControlKind kind;
    ControlId parent = ControlId::Form1;
    std::string_view caption = {}; // a combo box's text, a frame's or button's caption
    TwipsRect place = {};          // relative to the parent's client area
    int tabIndex = -1;             // -1 where the control has none
    bool enabled = true;
    bool selected = false; // an option button's value
    PickerFormat format = PickerFormat::None;
    int intervalMs = 0; // a timer's
    // What a screen reader says for a control without a caption of its own, and what it
    // adds after the name (the clock is read by its text, the time, and described as "Now").
    std::string_view accessibleName = {};
    std::string_view accessibleDescription = {};
};

namespace form {

inline constexpr std::string_view caption = "Tamsverolind";
// The client area's place on the screen and its size; the window is not centred.
inline constexpr TwipsRect clientPlace{9390, 4425, 2535, 4065};

// The clock's font, and the dialog font the other controls' places were designed for (the
// face Windows maps to its dialog face; charset 1 takes the user's own).
inline constexpr FontDescription clockFont{"MS Sans Serif", 24, 400, 222};
inline constexpr FontDescription dialogFont{"MS Shell Dlg", 8, 400, 1};

inline constexpr std::array<std::string_view, 3> actionItems{"Shut Down", "Restart", "Log Off"};

// Both pickers' design value and range.
inline constexpr WallClock pickerDesignValue{2000, 12, 27};
inline constexpr WallClock pickerMinimum{1601, 1, 1};
inline constexpr WallClock pickerMaximum{9999, 12, 31, 23, 59, 59};

inline constexpr std::string_view aboutMenuCaption = "About";

// Every control, in the order the window creates them.
std::span<const ControlDescription> controls();

const ControlDescription &control(ControlId id);

// The controls that take the focus, in the order Tab walks them.
std::vector<ControlId> tabOrder();

// The control that has the focus when the window opens: the first in the tab order.
ControlId firstFocus();

// The first and last values a picker's step may reach from this one: a time of day's own
// day, from its first second to its last; a date and time's whole range.
struct PickerEnds {
    WallClock first;
    WallClock last;
};
PickerEnds pickerEnds(PickerFormat format, const WallClock &value);

// The controls the handlers name.
constexpr ControlId controlOf(Button button)
{
    return button == Button::Command1 ? ControlId::Command1 : ControlId::Command2;
}
constexpr ControlId controlOf(Option option)
{
    return option == Option::Option1 ? ControlId::Option1 : ControlId::Option2;
}
constexpr ControlId controlOf(Picker picker)
{
    return picker == Picker::dtpTime ? ControlId::dtpTime : ControlId::dtpCountDown;
}

} // namespace form
