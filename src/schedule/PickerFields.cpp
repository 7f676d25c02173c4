#include "PickerFields.h"

#include "DateValue.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <tuple>

namespace {

using namespace std::chrono;

auto ordered(const WallClock &w)
{
    return std::tie(w.year, w.month, w.day, w.hour, w.minute, w.second);
}

int lastDay(int yearNumber, int monthNumber)
{
    return static_cast<int>(static_cast<unsigned>(
        (year{yearNumber} / month{static_cast<unsigned>(monthNumber)} / std::chrono::last).day()));
}

WallClock movedBySeconds(const WallClock &w, long long by)
{
    return datevalue::toWallClock(datevalue::secondsEarlier(datevalue::fromWallClock(w), -by));
}

// The day wanted (a typed one, else the one shown), or the month's last while it is cut.
void fitDay(WallClock &w, FieldTyping &typing)
{
    const int wanted = typing.typedDay.value_or(w.day);
    if (wanted > lastDay(w.year, w.month))
        typing.typedDay = wanted;
    w.day = std::min(wanted, lastDay(w.year, w.month));
}

struct Span {
    int least;
    int most;
};
constexpr std::array<Span, 6> spans{{{0, 99}, {1, 12}, {1, 31}, {0, 23}, {0, 59}, {0, 59}}};

} // namespace

WallClock steppedField(const WallClock &value, PickerField field, int direction, const WallClock &first,
                       const WallClock &last)
{
    constexpr std::array<long long, 6> unitSeconds{0, 0, 86400, 3600, 60, 1};
    WallClock next = value;
    if (field == PickerField::Month) {
        const int months = value.year * 12 + value.month - 1 + direction;
        next.year = months / 12;
        next.month = months % 12 + 1;
    } else if (field == PickerField::Year) {
        next.year += direction;
    } else {
        next = movedBySeconds(value, unitSeconds[static_cast<std::size_t>(field)] * direction);
    }
    next.day = std::min(next.day, lastDay(next.year, next.month));
    return ordered(next) < ordered(first) || ordered(last) < ordered(next) ? value : next;
}

std::optional<PickerField> steppedFieldOf(const WallClock &before, const WallClock &after)
{
    const std::array<int, 6> a{before.year, before.month, before.day, before.hour, before.minute, before.second};
    const std::array<int, 6> b{after.year, after.month, after.day, after.hour, after.minute, after.second};
    const auto differs = std::mismatch(a.begin(), a.end(), b.begin()).first;
    if (differs == a.end())
        return std::nullopt;
    return static_cast<PickerField>(differs - a.begin());
}

Typed typedDigit(const WallClock &shown, PickerField field, char digit, FieldTyping &typing, const WallClock &first,
                 const WallClock &last)
{
    const Span span = spans[static_cast<std::size_t>(field)];
    typing.digits = typing.digits.size() == 1 ? typing.digits + digit : std::string(1, digit);
    if (std::stoi(typing.digits) > span.most) // too big for the field: the digit begins it anew
        typing.digits = std::string(1, digit);
    const int number = std::stoi(typing.digits);
    const bool full = typing.digits.size() == 2 || number * 10 > span.most;
    if (number < span.least)
        return {shown, full};
    WallClock next = shown;
    switch (field) {
    case PickerField::Year:
        next.year = shown.year / 100 * 100 + number;
        break;
    case PickerField::Month:
        next.month = number;
        break;
    case PickerField::Day:
        next.day = number;
        typing.typedDay = number;
        break;
    case PickerField::Hour:
        next.hour = number;
        break;
    case PickerField::Minute:
        next.minute = number;
        break;
    case PickerField::Second:
        next.second = number;
        break;
    }
    if (field == PickerField::Day)
        next.day = std::min(number, lastDay(next.year, next.month));
    else
        fitDay(next, typing);
    const bool inside = !(ordered(next) < ordered(first) || ordered(last) < ordered(next));
    return {inside ? next : shown, full};
}

WallClock withTypedDay(const WallClock &shown, const FieldTyping &typing)
{
    WallClock kept = shown;
    if (typing.typedDay && *typing.typedDay <= lastDay(shown.year, shown.month))
        kept.day = *typing.typedDay;
    return kept;
}
