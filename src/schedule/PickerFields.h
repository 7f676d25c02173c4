#pragma once

#include "ports/Values.h"

#include <optional>
#include <string>

// How a picker's fields move, on both front-ends:
//
//   a step of          | moves the value by                              | past the picker's end
//   -------------------+-------------------------------------------------+----------------------
//   second, minute,    | one of its unit, carried into the fields before | nothing: the value
//   hour, day          | it (00:59:30 + a minute = 01:00:30,             | stays as it is
//                      | 31/12/26 + a day = 01/01/27)                    |
//   month, year        | one of its unit, the day kept where the month   | nothing
//                      | has it, else the month's last (31/01 + a month  |
//                      | = 28/02)                                        |
//
// No field ever wraps: a step moves the value the way its arrow points, or not at all. A
// count-down's ends are the first and last second of its day; a target's, its picker's range.
//
//   typed into a field | becomes
//   -------------------+--------------------------------------------------------------------
//   a digit            | that field's number, and the field is full once no further digit
//                      | could follow (a second digit, or a first one above the field's
//                      | tens: 4 in a day, 2 in a month); it never lands in another field
//   a day the month    | the month's last day meanwhile, and the day typed again once the
//   does not have      | month and year shown allow it (31, then 12: 31/12), for as long as
//                      | the edit goes on; 31/04 stays at 30
//   a two-digit year   | that year in the century shown
enum class PickerField { Year, Month, Day, Hour, Minute, Second };

// One step of a field, up (+1) or down (-1), between the picker's ends.
WallClock steppedField(const WallClock &value, PickerField field, int direction, const WallClock &first,
                       const WallClock &last);

// The field that a step changed, judged from the values before and after it: the largest
// unit that differs (a month stepped may cut the day too); nothing when they are equal.
std::optional<PickerField> steppedFieldOf(const WallClock &before, const WallClock &after);

// What one field's typing has given so far.
struct FieldTyping {
    std::string digits;          // typed into the field now being typed
    std::optional<int> typedDay; // a day typed that the month shown does not have
};

// A digit typed into a field: the value then shown (within the picker's ends, or as it was),
// and whether the field is full. `typing` carries the field's digits and a typed day.
struct Typed {
    WallClock value;
    bool full;
};
Typed typedDigit(const WallClock &shown, PickerField field, char digit, FieldTyping &typing, const WallClock &first,
                 const WallClock &last);

// The day typed, given back once the month and year shown allow it.
WallClock withTypedDay(const WallClock &shown, const FieldTyping &typing);
