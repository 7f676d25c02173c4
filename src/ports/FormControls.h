#pragma once

#include "Values.h"

#include <cstdint>
#include <string>

inline constexpr int hwndTopmost = -1;

enum class Button { Command1, Command2 };
enum class Option { Option1, Option2 };
enum class Picker { dtpTime, dtpCountDown };

// The window's controls as the handlers see them. Each front-end implements it with its
// native controls; tests use a fake. No operation reports failure: a failing control call
// is the window system's to handle. Texts are UTF-8.
class FormControls {
public:
    FormControls() = default;
    FormControls(const FormControls &) = delete;
    FormControls &operator=(const FormControls &) = delete;
    virtual ~FormControls() = default;

    // Writing then reading returns the same text.
    virtual std::string labelCaption() const = 0;
    virtual void setLabelCaption(const std::string &caption) = 0;

    // A disabled button cannot be clicked.
    virtual void setButtonEnabled(Button button, bool enabled) = 0;
    virtual void giveFocus(Button button) = 0;

    // vbTrue for the selected option of the group, else vbFalse.
    virtual VbBoolean optionValue(Option option) const = 0;

    // The text now shown in the action box's edit field.
    virtual std::string comboText() const = 0;

    // Reading returns the value last written or set by the user, rounded to the second.
    virtual DateValue pickerValue(Picker picker) const = 0;
    virtual void setPickerValue(Picker picker, DateValue value) = 0;

    // Places the window in the z-order: insertAfter -1 is above all non-topmost windows;
    // flags 3 neither move nor resize it. A refusal goes unnoticed.
    virtual void setWindowPos(int insertAfter, std::int32_t flags) = 0;

    // Opens the About menu at the mouse pointer without waiting for a choice.
    virtual void popUpAboutMenu() = 0;

    // Tells the user that an address could not be opened, without blocking the window; one
    // message at a time: while one is open, another failure brings it forward.
    virtual void showLinkFailure(const std::string &address) = 0;
};
