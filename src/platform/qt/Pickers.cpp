#include "Pickers.h"

namespace {

// Held as UTC so that no daylight-saving rule shifts or refuses a wall-clock time: the
// values are local wall-clock readings, compared with the local clock as such.
QDateTime toQt(const WallClock &wall)
{
    return {QDate(wall.year, wall.month, wall.day), QTime(wall.hour, wall.minute, wall.second, wall.millisecond),
            Qt::UTC};
}

WallClock fromQt(const QDateTime &dateTime)
{
    const QDate date = dateTime.date();
    const QTime time = dateTime.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second(), time.msec()};
}

} // namespace

DatePicker::DatePicker(PickerFormat format, const Separators &separators, QWidget *parent) : QDateTimeEdit(parent)
{
    setTimeSpec(Qt::UTC);
    setDateTimeRange(toQt(form::pickerMinimum), toQt(form::pickerMaximum));
    const std::string pattern = format == PickerFormat::TimeOfDay ? datevalue::timeOfDayPattern(separators)
                                                                  : datevalue::clockPattern(separators);
    setDisplayFormat(QString::fromStdString(pattern));
    setCalendarPopup(false);
    setWrapping(true);
    setDateTime(toQt(form::pickerDesignValue));
}

DateValue DatePicker::value() const
{
    return datevalue::roundedToSecond(datevalue::fromWallClock(fromQt(dateTime())));
}

void DatePicker::setValue(DateValue value)
{
    setDateTime(toQt(datevalue::toWallClock(datevalue::roundedToSecond(value))));
}
