#pragma once

#include "schedule/PickerFields.h"

// The fields' steps and typed days that the core's rule and both front-ends' pickers must
// give alike.

// A step of a field, up (+1) or down (-1), and the value it gives: carried, or left as it
// was at the picker's end. A value in 2000 is the count-down's, whose ends are its own day's;
// the others are the target's.
struct StepCase {
    WallClock value;
    PickerField field;
    int direction;
    WallClock expected;
};
inline constexpr StepCase stepCases[] = {
    {{2000, 12, 27, 0, 59, 30}, PickerField::Minute, +1, {2000, 12, 27, 1, 0, 30}},
    {{2000, 12, 27, 23, 30, 0}, PickerField::Hour, +1, {2000, 12, 27, 23, 30, 0}}, // past its day: stays
    {{2000, 12, 27, 0, 0, 59}, PickerField::Second, +1, {2000, 12, 27, 0, 1, 0}},
    {{2000, 12, 27, 0, 0, 0}, PickerField::Second, -1, {2000, 12, 27, 0, 0, 0}},
    {{2000, 12, 27, 1, 0, 30}, PickerField::Minute, -1, {2000, 12, 27, 0, 59, 30}},
    {{2026, 11, 30, 12}, PickerField::Day, +1, {2026, 12, 1, 12}},
    {{2026, 12, 31, 12}, PickerField::Day, +1, {2027, 1, 1, 12}},
    {{2027, 1, 31}, PickerField::Month, +1, {2027, 2, 28}},
    {{2027, 1, 15}, PickerField::Month, -1, {2026, 12, 15}},
    {{2028, 2, 29}, PickerField::Year, +1, {2029, 2, 28}},
    {{2099, 6, 1}, PickerField::Year, +1, {2100, 6, 1}}, // "99" and up is 2100, not 2000
    {{9999, 12, 31, 23, 59}, PickerField::Minute, +1, {9999, 12, 31, 23, 59}},
    {{1601, 1, 1}, PickerField::Day, -1, {1601, 1, 1}},
};

// The target shows the 15th of a month that cuts the 29th, 30th or 31st, at 09:00:00; the
// user types one of those days, then 12 and 26, field by field: it must read that day of
// December 2026.
inline constexpr WallClock typedFrom[] = {{2026, 4, 15, 9}, {2026, 11, 15, 9}, {2027, 2, 15, 9}, {2028, 2, 15, 9}};
inline constexpr int typedDays[] = {29, 30, 31};
