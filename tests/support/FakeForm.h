#pragma once

#include "platform/FormControls.h"

#include <QStringList>

#include <map>

// The window's controls as plain values, set as the window designs them.
class FakeForm final : public FormControls {
public:
    QString caption;
    bool command1Enabled = true;
    bool command2Enabled = false;
    std::optional<Button> focused;
    bool setTimeSelected = true; // Option1; Option2 is its opposite
    QString actionText = QStringLiteral("Shut Down");
    std::map<Picker, DateValue> pickers{
        {Picker::dtpTime, datevalue::fromWallClock(QDate(2000, 12, 27), QTime(0, 0))},
        {Picker::dtpCountDown, datevalue::fromWallClock(QDate(2000, 12, 27), QTime(0, 0))},
    };
    int popUps = 0;
    QStringList linkFailures;

    void setCountDown(QTime time)
    {
        pickers[Picker::dtpCountDown] = datevalue::fromWallClock(QDate(2000, 12, 27), time);
    }
    QTime countDown() const { return datevalue::toWallClock(pickers.at(Picker::dtpCountDown)).time(); }
    void setTarget(const QDateTime &wallClock) { pickers[Picker::dtpTime] = datevalue::fromWallClock(wallClock); }

    QString labelCaption() const override { return caption; }
    void setLabelCaption(const QString &text) override { caption = text; }
    void setButtonEnabled(Button button, bool enabled) override
    {
        (button == Button::Command1 ? command1Enabled : command2Enabled) = enabled;
    }
    void giveFocus(Button button) override { focused = button; }
    VbBoolean optionValue(Option option) const override
    {
        return (option == Option::Option1) == setTimeSelected ? vbTrue : vbFalse;
    }
    QString comboText() const override { return actionText; }
    DateValue pickerValue(Picker picker) const override { return datevalue::roundedToSecond(pickers.at(picker)); }
    void setPickerValue(Picker picker, DateValue value) override
    {
        pickers[picker] = datevalue::roundedToSecond(value);
    }
    QWidget *window() override { return nullptr; }
    void popUpAboutMenu() override { ++popUps; }
    void showLinkFailure(const QString &address) override { linkFailures.append(address); }
};
