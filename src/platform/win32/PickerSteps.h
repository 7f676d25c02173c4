#pragma once

#include "schedule/PickerFields.h"
#include "window/FormDescription.h"

#include <windows.h>

#include <array>
#include <optional>

// The native date-time picker wraps a stepped field (a minute up from 59 is 00, the hours
// unchanged); the window's picker rule carries or stops instead. What the user steps with
// (Up, Down, a wheel notch with the focus, the picker's up-down button, held or not) is
// seen before the picker acts on it, and the value the picker then reports is made the rule's.
class PickerSteps {
public:
    struct Picker {
        HWND window;
        PickerFormat format;
    };
    explicit PickerSteps(std::array<Picker, 2> pickers) : m_pickers(pickers) {}

    // Each message of the loop, before it is dispatched (a wheel notch only when it may
    // change the control with the focus).
    void seen(const MSG &message);
    // A picker's DTN_DATETIMECHANGE.
    void changed(HWND picker);

private:
    const Picker *pickerOf(HWND window) const;
    void begin(const Picker &picker, int direction, bool held);

    struct Step {
        Picker picker;
        int direction;
        WallClock before;
        bool held; // the up-down button, which steps again while it is held
    };
    std::array<Picker, 2> m_pickers;
    std::optional<Step> m_step;
};
