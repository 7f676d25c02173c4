#pragma once

#include "ports/FormControls.h"
#include "schedule/DateValue.h"

#include <vector>

// The window's controls as plain values, set as the window designs them.
class FakeForm final : public FormControls {
public:
    static constexpr DateValue designDay = 36887.0; // 27 December 2000

    std::string caption;
    bool setTimeSelected = true; // Option1; Option2 is its opposite
    std::string actionText = "Shut Down";
    DateValue target = designDay;
    DateValue countDown = designDay;
    int popUps = 0;
    std::vector<std::string> linkFailures;

    void setCountDown(int seconds) { countDown = designDay + seconds / 86400.0; }
    // Seconds left, counted from the design day: its date must not change either.
    std::int64_t secondsLeft() const { return datevalue::wholeSeconds(countDown - designDay); }

    std::string labelCaption() const override { return caption; }
    void setLabelCaption(const std::string &text) override { caption = text; }
    void setButtonEnabled(Button, bool) override {}
    void giveFocus(Button) override {}
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
    void setWindowPos(int, std::int32_t) override {}
    void popUpAboutMenu() override { ++popUps; }
    void showLinkFailure(const std::string &address) override { linkFailures.push_back(address); }
};
