#pragma once

#include "schedule/DateValue.h"

class QDateTimeEdit;

// The date-time pickers hold wall-clock values, to the whole second, between
// 1 January 1601 and 31 December 9999.
namespace pickers {

// Date and time in the clock's own pattern, edited with up-down buttons.
void makeTargetPicker(QDateTimeEdit &picker, const Separators &separators);

// Only the time of day, from 00:00:00 to 23:59:59, without wrapping around.
void makeCountDownPicker(QDateTimeEdit &picker, const Separators &separators);

DateValue value(const QDateTimeEdit &picker);
void setValue(QDateTimeEdit &picker, DateValue value);

} // namespace pickers
