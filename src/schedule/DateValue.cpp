#include "DateValue.h"

#include <QRegularExpression>

#include <cmath>

namespace {

constexpr std::int64_t msPerDay = std::int64_t{secondsPerDay} * 1000;

QDate epoch()
{
    return QDate(1899, 12, 30);
}

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

QString twoDigits(int number)
{
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

} // namespace

namespace datevalue {

DateValue fromWallClock(QDate date, QTime time)
{
    return join(epoch().daysTo(date), time.msecsSinceStartOfDay());
}

DateValue fromWallClock(const QDateTime &wallClock)
{
    return fromWallClock(wallClock.date(), wallClock.time());
}

QDateTime toWallClock(DateValue value)
{
    const auto [day, ms] = split(value, msPerDay, 1);
    return QDateTime(epoch().addDays(day), QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)), Qt::UTC);
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
    return fromWallClock(toWallClock(value).addSecs(-seconds));
}

std::optional<DateValue> timeFromText(QStringView text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,2}):(\\d{1,2}):(\\d{1,2})$"));
    const auto match = pattern.match(text.toString());
    if (!match.hasMatch())
        return std::nullopt;
    const int hours = match.capturedView(1).toInt();
    const int minutes = match.capturedView(2).toInt();
    const int seconds = match.capturedView(3).toInt();
    if (hours > 23 || minutes > 59 || seconds > 59)
        return std::nullopt;
    // One division, so "00:00:01" is the double nearest to 1/86400.
    return static_cast<double>(hours * 3600 + minutes * 60 + seconds) / secondsPerDay;
}

QString clockText(DateValue value, const Separators &separators)
{
    const QDateTime wall = toWallClock(roundedToSecond(value));
    const QDate date = wall.date();
    const QTime time = wall.time();
    return twoDigits(date.day()) + separators.date + twoDigits(date.month()) + separators.date +
           twoDigits(((date.year() % 100) + 100) % 100) + QLatin1Char(' ') + twoDigits(time.hour()) + separators.time +
           twoDigits(time.minute()) + separators.time + twoDigits(time.second());
}

namespace {

QString quoted(const QString &separator)
{
    return QLatin1Char('\'') + separator + QLatin1Char('\'');
}

} // namespace

QString timeOfDayPattern(const Separators &separators)
{
    return QStringLiteral("HH") + quoted(separators.time) + QStringLiteral("mm") + quoted(separators.time) +
           QStringLiteral("ss");
}

QString clockPattern(const Separators &separators)
{
    return QStringLiteral("dd") + quoted(separators.date) + QStringLiteral("MM") + quoted(separators.date) +
           QStringLiteral("yy ") + timeOfDayPattern(separators);
}

} // namespace datevalue
