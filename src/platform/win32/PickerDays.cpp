#include "PickerDays.h"

#include "Win32Controls.h"
#include "window/FormDescription.h"

bool PickerDays::dayIsSelected()
{
    // The picker tells nobody which field it has selected; the field an Up would change is
    // that one. The value is put back at once, before anything is drawn.
    const WallClock before = win32::picker::value(m_picker);
    std::optional<PickerField> selected;
    m_probing = true;
    for (const WPARAM key : {WPARAM{VK_UP}, WPARAM{VK_DOWN}}) {
        SendMessageW(m_picker, WM_KEYDOWN, key, 0);
        const WallClock after = win32::picker::value(m_picker);
        if (!selected && !(after == before))
            selected = steppedFieldOf(before, after);
        win32::picker::setValue(m_picker, before);
    }
    m_probing = false;
    return selected == PickerField::Day;
}

bool PickerDays::seen(const MSG &message)
{
    if (GetFocus() != m_picker)
        m_typing = {};
    const bool digit = message.message == WM_CHAR && message.wParam >= '0' && message.wParam <= '9';
    const bool key = message.message == WM_CHAR || message.message == WM_KEYDOWN;
    if (message.hwnd == m_picker && (message.message == WM_LBUTTONDOWN || (key && !digit)))
        m_field = Field::Unknown; // another field may be selected now
    if (message.hwnd != m_picker || !digit)
        return false;
    // Asked once for each run of digits: asking between two would end the picker's own entry.
    if (m_field == Field::Unknown) {
        m_field = dayIsSelected() ? Field::Day : Field::Other;
        m_typing.digits.clear();
    }
    if (m_field != Field::Day)
        return false;
    const WallClock shown = win32::picker::value(m_picker);
    const Typed typed = typedDigit(shown, PickerField::Day, static_cast<char>(message.wParam), m_typing,
                                   form::pickerMinimum, form::pickerMaximum);
    win32::picker::setValue(m_picker, typed.value);
    return true;
}

void PickerDays::changed(HWND picker)
{
    if (picker != m_picker || !m_typing.typedDay || m_probing)
        return;
    const WallClock shown = win32::picker::value(m_picker);
    const WallClock kept = withTypedDay(shown, m_typing);
    if (!(kept == shown))
        win32::picker::setValue(m_picker, kept);
}
