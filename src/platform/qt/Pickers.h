#pragma once

#include "schedule/DateValue.h"
#include "window/FormDescription.h"

#include <QDateTimeEdit>

// A date-time picker as the Windows control behaves: Tab leaves it for the next control,
// as in any dialog (its fields are chosen with the arrow keys, the mouse or by typing a
// separator), and a field steps within itself, 00 down to 59, without carrying.
class DatePicker final : public QDateTimeEdit {
public:
    DatePicker(PickerFormat format, const Separators &separators, QWidget *parent);

    // The value to the whole second; the picker holds wall-clock values between
    // 1 January 1601 and 31 December 9999.
    DateValue value() const;
    void setValue(DateValue value);

protected:
    // Skips QDateTimeEdit's own Tab handling, which walks its fields first, on purpose.
    bool focusNextPrevChild(bool next) override
    {
        return QWidget::focusNextPrevChild(next); // NOLINT(bugprone-parent-virtual-call)
    }
};
