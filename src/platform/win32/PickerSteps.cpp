#include "PickerSteps.h"

#include "Win32Controls.h"

#include <windowsx.h>

const PickerSteps::Picker *PickerSteps::pickerOf(HWND window) const
{
    for (const Picker &picker : m_pickers) {
        if (picker.window == window)
            return &picker;
    }
    return nullptr;
}

void PickerSteps::begin(const Picker &picker, int direction, bool held)
{
    m_step = Step{picker, direction, win32::picker::value(picker.window), held};
}

void PickerSteps::seen(const MSG &message)
{
    const Picker *picker = pickerOf(message.hwnd);
    if (message.message == WM_KEYDOWN && picker && (message.wParam == VK_UP || message.wParam == VK_DOWN)) {
        begin(*picker, message.wParam == VK_UP ? 1 : -1, false);
    } else if (message.message == WM_MOUSEWHEEL) {
        if (const Picker *focused = pickerOf(GetFocus()))
            begin(*focused, GET_WHEEL_DELTA_WPARAM(message.wParam) > 0 ? 1 : -1, false);
    } else if (message.message == WM_LBUTTONDOWN && pickerOf(GetParent(message.hwnd))) {
        // The up-down button inside the picker: its upper half steps up.
        RECT button{};
        GetClientRect(message.hwnd, &button);
        begin(*pickerOf(GetParent(message.hwnd)), GET_Y_LPARAM(message.lParam) < button.bottom / 2 ? 1 : -1, true);
    } else if (message.message == WM_LBUTTONUP || message.message == WM_KEYDOWN || message.message == WM_CHAR) {
        m_step.reset();
    }
}

void PickerSteps::changed(HWND window)
{
    if (!m_step || m_step->picker.window != window)
        return;
    const WallClock after = win32::picker::value(window);
    WallClock ruled = after;
    if (const auto field = steppedFieldOf(m_step->before, after)) {
        const form::PickerEnds ends = form::pickerEnds(m_step->picker.format, m_step->before);
        ruled = steppedField(m_step->before, *field, m_step->direction, ends.first, ends.last);
    }
    if (!(ruled == after))
        win32::picker::setValue(window, ruled);
    if (m_step->held)
        m_step->before = ruled;
    else
        m_step.reset();
}
