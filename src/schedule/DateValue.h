#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

// A point in time or a span as days since 30 December 1899 00:00 local wall time;
// the fraction is the time of day. Before that day the whole part is negative and
// the fraction still counts forward, so -1.25 is 29 December 1899 06:00.
using DateValue = double;

// The 16-bit Boolean of the window's state and option values.
using VbBoolean = std::int16_t;
inline constexpr VbBoolean vbTrue = -1;
inline constexpr VbBoolean vbFalse = 0;

inline constexpr int secondsPerDay = 86400;

struct Separators {
    QString date = QStringLiteral("/");
    QString time = QStringLiteral(":");
};

namespace datevalue {

// Wall-clock date and time as a date value; the QDateTime's time zone setting is ignored.
DateValue fromWallClock(const QDateTime &wallClock);
DateValue fromWallClock(QDate date, QTime time);

// The wall-clock date and time of a value, to the millisecond, carried in a
// QDateTime set to UTC so that no time zone rule can shift or refuse it.
QDateTime toWallClock(DateValue value);

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
std::optional<DateValue> timeFromText(QStringView text);

// The text "dd/MM/yy HH:mm:ss" with the given separators standing for "/" and ":".
QString clockText(DateValue value, const Separators &separators);

// Display patterns for the pickers, written with the same separators as the clock text.
QString clockPattern(const Separators &separators);
QString timeOfDayPattern(const Separators &separators);

} // namespace datevalue
