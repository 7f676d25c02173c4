#pragma once

#include "schedule/DateValue.h"

#include <QDateTimeEdit>

// A date-time picker whose Tab key leaves it for the next control, as in any dialog;
// its fields are chosen with the arrow keys, the mouse or by typing a separator.
class DatePicker final : public QDateTimeEdit {
public:
    using QDateTimeEdit::QDateTimeEdit;

protected:
    // Skips QDateTimeEdit's own Tab handling, which walks its fields first, on purpose.
    bool focusNextPrevChild(bool next) override
    {
        return QWidget::focusNextPrevChild(next); // NOLINT(bugprone-parent-virtual-call)
    }
};

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
