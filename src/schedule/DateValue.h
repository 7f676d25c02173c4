#pragma once

#include "ports/Values.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace datevalue {

DateValue fromWallClock(const WallClock &wallClock);

// The wall-clock date and time of a value, to the millisecond.
WallClock toWallClock(DateValue value);

// The same day at 00:00:00.
WallClock startOfDay(WallClock wallClock);

// The value rounded to the nearest whole second.
DateValue roundedToSecond(DateValue value);

// Seconds since 30 December 1899 00:00 wall time, rounded; a total order of wall-clock seconds.
std::int64_t wholeSeconds(DateValue value);

// The time part (value minus its whole days) rounded to the nearest second, in [0, 1);
// a time part that rounds up to a whole day gives 0.
DateValue timeOfDayToSecond(DateValue value);

// Only the time of day counts, to the second.
bool sameTimeOfDay(DateValue a, DateValue b);

// The value moved back by whole seconds on the wall clock, keeping its sign convention.
DateValue secondsEarlier(DateValue value, std::int64_t seconds);

// "HH:mm:ss" (or "H:m:s") as a time of day; nothing for any other text.
std::optional<DateValue> timeFromText(std::string_view text);

// The text "dd/MM/yy HH:mm:ss" with the given separators standing for "/" and ":".
std::string clockText(DateValue value, const Separators &separators);

// The clock text as the label draws it: the date on the first line, the whole time on the
// second. Every blank but the one between date and time is a no-break blank (U+00A0), so a
// separator with a blank in it (". " in Hungarian) never breaks a line.
std::string drawnClock(std::string_view clockText);

// Display patterns for the pickers, written with the same separators as the clock text;
// literal text is quoted, as both Qt's and the Windows date-time picker's formats take it.
std::string clockPattern(const Separators &separators);
std::string timeOfDayPattern(const Separators &separators);

} // namespace datevalue
