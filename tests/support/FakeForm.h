#pragma once

#include "platform/FormControls.h"

#include <optional>
#include <vector>

// The window's controls as plain values, set as the window designs them.
class FakeForm final : public FormControls {
public:
    static constexpr WallClock designDay{2000, 12, 27};

    std::string caption;
    bool command1Enabled = true;
    bool command2Enabled = false;
    std::optional<Button> focused;
    bool setTimeSelected = true; // Option1; Option2 is its opposite
    std::string actionText = "Shut Down";
    DateValue target = datevalue::fromWallClock(designDay);
    DateValue countDown = datevalue::fromWallClock(designDay);
    int popUps = 0;
    std::vector<std::string> linkFailures;

    void setCountDown(int hours, int minutes, int seconds)
    {
        countDown = datevalue::fromWallClock({2000, 12, 27, hours, minutes, seconds});
    }
    // The count-down as seconds left, and whether its date is still the design day.
    std::int64_t secondsLeft() const
    {
        return datevalue::wholeSeconds(countDown) - datevalue::wholeSeconds(datevalue::fromWallClock(designDay));
    }

    std::string labelCaption() const override { return caption; }
    void setLabelCaption(const std::string &text) override { caption = text; }
    void setButtonEnabled(Button button, bool enabled) override
    {
        (button == Button::Command1 ? command1Enabled : command2Enabled) = enabled;
    }
    void giveFocus(Button button) override { focused = button; }
    VbBoolean optionValue(Option option) const override
    {
        return (option == Option::Option1) == setTimeSelected ? vbTrue : vbFalse;
    }
    std::string comboText() const override { return actionText; }
    DateValue pickerValue(Picker picker) const override
    {
        return datevalue::roundedToSecond(picker == Picker::dtpTime ? target : countDown);
    }
    void setPickerValue(Picker picker, DateValue value) override
    {
        (picker == Picker::dtpTime ? target : countDown) = datevalue::roundedToSecond(value);
    }
    WindowHandle window() override { return nullptr; }
    void popUpAboutMenu() override { ++popUps; }
    void showLinkFailure(const std::string &address) override { linkFailures.push_back(address); }
};
