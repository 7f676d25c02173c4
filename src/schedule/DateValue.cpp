#include "DateValue.h"

#include <chrono>
#include <cmath>

namespace {

using namespace std::chrono;

constexpr std::int64_t msPerDay = std::int64_t{secondsPerDay} * 1000;
constexpr sys_days epoch = year{1899} / December / 30;

// The calendar day (0 = 30 December 1899) and the time into it in whole units;
// the sign of a negative value belongs to the day count only.
struct DayAndTime {
    std::int64_t day;
    std::int64_t msOfDay;
};

DayAndTime split(DateValue value, std::int64_t unitsPerDay, std::int64_t unitMs)
{
    const double whole = std::trunc(value);
    const double fraction = std::fabs(value - whole);
    auto day = static_cast<std::int64_t>(whole);
    auto units = std::llround(fraction * static_cast<double>(unitsPerDay));
    if (units >= unitsPerDay) {
        // The time rounds up to midnight of the next calendar day, whatever the sign.
        units -= unitsPerDay;
        day += 1;
    }
    return {day, units * unitMs};
}

DateValue join(std::int64_t day, std::int64_t msOfDay)
{
    const double time = static_cast<double>(msOfDay) / static_cast<double>(msPerDay);
    const auto days = static_cast<double>(day);
    return day < 0 ? days - time : days + time;
}

void appendTwoDigits(std::string &text, int number)
{
    text += static_cast<char>('0' + number / 10 % 10);
    text += static_cast<char>('0' + number % 10);
}

// Literal text in a picker's format: quoted, an apostrophe in it doubled, as both Qt's and
// the Windows date-time picker's formats take it (French Canada's time separator is " 'h' ").
std::string quoted(const std::string &literal)
{
    std::string text = "'";
    for (const char c : literal)
        text += c == '\'' ? std::string("''") : std::string(1, c);
    return text + "'";
}

} // namespace

namespace datevalue {

DateValue fromWallClock(const WallClock &wall)
{
    const sys_days date =
        year{wall.year} / month{static_cast<unsigned>(wall.month)} / day{static_cast<unsigned>(wall.day)};
    const std::int64_t ms = ((wall.hour * 60LL + wall.minute) * 60 + wall.second) * 1000 + wall.millisecond;
    return join((date - epoch).count(), ms);
}

WallClock toWallClock(DateValue value)
{
    const auto [day, ms] = split(value, msPerDay, 1);
    const year_month_day date{epoch + days{day}};
    const hh_mm_ss time{milliseconds{ms}};
    return {static_cast<int>(date.year()),
            static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day())),
            static_cast<int>(time.hours().count()),
            static_cast<int>(time.minutes().count()),
            static_cast<int>(time.seconds().count()),
            static_cast<int>(time.subseconds().count())};
}

WallClock startOfDay(WallClock wallClock)
{
    return {wallClock.year, wallClock.month, wallClock.day};
}

DateValue roundedToSecond(DateValue value)
{
    const auto [day, ms] = split(value, secondsPerDay, 1000);
    return join(day, ms);
}

std::int64_t wholeSeconds(DateValue value)
{
    const auto [day, ms] = split(value, secondsPerDay, 1000);
    return day * secondsPerDay + ms / 1000;
}

DateValue timeOfDayToSecond(DateValue value)
{
    const double fraction = std::fabs(value - std::trunc(value));
    const auto seconds = std::llround(fraction * secondsPerDay) % secondsPerDay;
    return static_cast<double>(seconds) / secondsPerDay;
}

bool sameTimeOfDay(DateValue a, DateValue b)
{
    return std::llround(timeOfDayToSecond(a) * secondsPerDay) == std::llround(timeOfDayToSecond(b) * secondsPerDay);
}

DateValue secondsEarlier(DateValue value, std::int64_t seconds)
{
    const auto [day, ms] = split(value, msPerDay, 1);
    const std::int64_t total = day * msPerDay + ms - seconds * 1000;
    // Floored, so that a value before 30 December 1899 keeps its time counting forward.
    const std::int64_t newDay = total >= 0 ? total / msPerDay : -((-total + msPerDay - 1) / msPerDay);
    return join(newDay, total - newDay * msPerDay);
}

std::optional<DateValue> timeFromText(std::string_view text)
{
    int fields[3] = {0, 0, 0};
    std::size_t field = 0;
    int digits = 0;
    for (const char c : text) {
        if (c >= '0' && c <= '9' && digits < 2) {
            fields[field] = fields[field] * 10 + (c - '0');
            ++digits;
        } else if (c == ':' && digits > 0 && field < 2) {
            ++field;
            digits = 0;
        } else {
            return std::nullopt;
        }
    }
    if (field != 2 || digits == 0 || fields[0] > 23 || fields[1] > 59 || fields[2] > 59)
        return std::nullopt;
    // One division, so "00:00:01" is the double nearest to 1/86400.
    return static_cast<double>(fields[0] * 3600 + fields[1] * 60 + fields[2]) / secondsPerDay;
}

std::string clockText(DateValue value, const Separators &separators)
{
    const WallClock wall = toWallClock(roundedToSecond(value));
    std::string text;
    appendTwoDigits(text, wall.day);
    text += separators.date;
    appendTwoDigits(text, wall.month);
    text += separators.date;
    appendTwoDigits(text, wall.year % 100);
    text += ' ';
    appendTwoDigits(text, wall.hour);
    text += separators.time;
    appendTwoDigits(text, wall.minute);
    text += separators.time;
    appendTwoDigits(text, wall.second);
    return text;
}

std::string drawnClock(std::string_view clockText)
{
    // "dd", the date separator (what stands before the next digit), "MM", it again, "yy":
    // then the blank between date and time.
    const std::size_t separator = clockText.find_first_of("0123456789", 2) - 2;
    const std::size_t between = 6 + 2 * separator;
    if (separator > clockText.size() || between >= clockText.size() || clockText[between] != ' ')
        return std::string(clockText);
    std::string drawn;
    for (std::size_t i = 0; i < clockText.size(); ++i)
        drawn += clockText[i] == ' ' && i != between ? std::string("\u00a0") : std::string(1, clockText[i]);
    return drawn;
}

std::string timeOfDayPattern(const Separators &separators)
{
    return "HH" + quoted(separators.time) + "mm" + quoted(separators.time) + "ss";
}

std::string clockPattern(const Separators &separators)
{
    return "dd" + quoted(separators.date) + "MM" + quoted(separators.date) + "yy " + timeOfDayPattern(separators);
}

} // namespace datevalue
