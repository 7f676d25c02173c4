#pragma once

#include "schedule/DateValue.h"
#include "schedule/PickerFields.h"
#include "window/FormDescription.h"

#include <QDateTimeEdit>

#include <optional>

// A date-time picker as the Windows control behaves: Tab leaves it for the next control,
// as in any dialog (its fields are chosen with the arrow keys, the mouse or by typing a
// separator); a click selects the field clicked, so that typed digits replace it. A step
// (Up, Down, the buttons, the wheel) and a typed digit follow the window's picker rule
// (PickerFields.h): no field wraps, and every day typed is kept.
//
// What the user types is the schedule's only once the edit is finished: the focus leaves,
// Return is pressed, or the last field is typed in full. Until then the schedule reads, and
// the tick writes, the value from before the edit, so that no write moves the digits being
// typed and no half-typed value (a count-down of 00:00:00 on the way to 00:00:10) is acted
// on; the picker then holds the typed value as it stands.
class DatePicker final : public QDateTimeEdit {
public:
    DatePicker(PickerFormat format, const Separators &separators, QWidget *parent);

    // The value to the whole second; the picker holds wall-clock values between
    // 1 January 1601 and 31 December 9999.
    DateValue value() const;
    void setValue(DateValue value);

    bool editing() const { return m_beforeEdit.has_value(); }

    void stepBy(int steps) override;

protected:
    // Both ways always: a step past the picker's end is the rule's to refuse.
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
    // Skips QDateTimeEdit's own Tab handling, which walks its fields first, on purpose.
    bool focusNextPrevChild(bool next) override
    {
        return QWidget::focusNextPrevChild(next); // NOLINT(bugprone-parent-virtual-call)
    }
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void typeDigit(char digit);
    void finishEdit();

    PickerFormat m_format;
    std::optional<DateValue> m_beforeEdit; // and what the tick wrote since
    FieldTyping m_typing;                  // the field's digits, and a day typed, in this edit
    int m_typingSection = -1;
};
