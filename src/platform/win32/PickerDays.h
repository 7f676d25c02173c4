#pragma once

#include "schedule/PickerFields.h"

#include <windows.h>

#include <optional>

// The native date-time picker refuses a day its month does not have (31 typed while it
// shows November), and that day is lost: digits typed into the target picker's day are
// taken here instead, by the window's picker rule, and the day typed comes back once the
// month and year the picker takes allow it (31, then 12: 31/12), for as long as the picker
// keeps the focus. The other fields are typed as the picker types them.
class PickerDays {
public:
    explicit PickerDays(HWND picker) : m_picker(picker) {}

    // Each message of the loop, before it is dispatched; true when it was taken here.
    bool seen(const MSG &message);
    // The picker's DTN_DATETIMECHANGE.
    void changed(HWND picker);

private:
    bool dayIsSelected();

    HWND m_picker;
    FieldTyping m_typing;
    enum class Field { Unknown, Day, Other };
    Field m_field = Field::Unknown; // the field the digits now typed go to
    bool m_probing = false;
};
