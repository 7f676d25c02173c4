#pragma once

#include "schedule/DateValue.h"
#include "window/FormDescription.h"

#include <windows.h>

#include <string>

// Thin wrappers over the common controls the window is built from, each with the few
// messages the form's operations need.
namespace win32 {

// The native control for a described control, created at its place (client pixels): made
// at another size, some controls keep state computed for it, such as an edit field's scroll.
HWND createControl(HWND parent, const ControlDescription &control, const RECT &place, int id);

namespace combo {
// The action box's items and its designed text, shown from its first letter.
void fill(HWND box, const ControlDescription &control);
// A drop-down combo box keeps its edit field scrolled to the caret after losing the focus:
// shows the text from its first letter again.
void showFromStart(HWND box);
} // namespace combo

namespace picker {
void setRange(HWND picker, const WallClock &minimum, const WallClock &maximum);
void setFormat(HWND picker, const std::string &pattern);
WallClock value(HWND picker);
void setValue(HWND picker, const WallClock &value);
} // namespace picker

namespace button {
bool checked(HWND button);
// A push button of this window: Return presses it, as in a dialog.
bool isPushButton(HWND window);
} // namespace button

} // namespace win32
