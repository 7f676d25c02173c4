#include "Pickers.h"

namespace {

const QDateTime designValue(QDate(2000, 12, 27), QTime(0, 0), Qt::UTC);

void makePicker(QDateTimeEdit &picker, const QString &pattern)
{
    // Held as UTC so that no daylight-saving rule shifts or refuses a wall-clock time:
    // the values are local wall-clock readings, compared with the local clock as such.
    picker.setTimeSpec(Qt::UTC);
    picker.setDateTimeRange(QDateTime(QDate(1601, 1, 1), QTime(0, 0), Qt::UTC),
                            QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59), Qt::UTC));
    picker.setDisplayFormat(pattern);
    picker.setCalendarPopup(false);
    picker.setWrapping(false);
    picker.setDateTime(designValue);
}

} // namespace

namespace pickers {

void makeTargetPicker(QDateTimeEdit &picker, const Separators &separators)
{
    makePicker(picker, datevalue::clockPattern(separators));
}

void makeCountDownPicker(QDateTimeEdit &picker, const Separators &separators)
{
    makePicker(picker, datevalue::timeOfDayPattern(separators));
}

DateValue value(const QDateTimeEdit &picker)
{
    return datevalue::roundedToSecond(datevalue::fromWallClock(picker.dateTime()));
}

void setValue(QDateTimeEdit &picker, DateValue value)
{
    picker.setDateTime(datevalue::toWallClock(datevalue::roundedToSecond(value)));
}

} // namespace pickers
