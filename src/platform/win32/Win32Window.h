#pragma once

#include "Win32Platform.h"
#include "ports/FormControls.h"
#include "window/Form1.h"
#include "window/FormDescription.h"

#include <windows.h>

#include <map>

// The window as native Win32 controls built from the window's description: group boxes
// for the frames, a static for the clock, common-controls date-time pickers, a drop-down
// combo box, auto radio buttons and push buttons, all children of the one window so that
// Windows' own dialog navigation (Tab, arrows, Space) walks them in their tab order.
class Win32Window final : public FormControls {
public:
    explicit Win32Window(Win32Platform &platform);
    ~Win32Window() override;

    // Creates the window and its controls, runs Form_Load and starts the tick.
    bool create(HINSTANCE instance);
    void show(int showCommand);
    // Dialog keys for the window's controls; true when the message was handled.
    bool handleDialogKeys(MSG &message);

    // FormControls
    std::string labelCaption() const override;
    void setLabelCaption(const std::string &caption) override;
    void setButtonEnabled(Button which, bool enabled) override;
    void giveFocus(Button which) override;
    VbBoolean optionValue(Option option) const override;
    std::string comboText() const override;
    DateValue pickerValue(Picker which) const override;
    void setPickerValue(Picker which, DateValue value) override;
    void setWindowPos(int insertAfter, std::int32_t flags) override;
    void popUpAboutMenu() override;
    void showLinkFailure(const std::string &address) override;

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void createControls();
    void orderForTabbing();
    void nameForScreenReaders();
    void layOut(UINT dpi);
    void setPickerFormats();
    void scheduleTick();
    void mouseDown(std::int16_t button, LPARAM position);
    RECT placeOf(ControlId id) const; // client pixels
    HWND control(ControlId id) const { return m_controls.at(id); }

    Win32Platform &m_platform;
    Form1 m_form;
    HWND m_window = nullptr;
    std::map<ControlId, HWND> m_controls;
    HMENU m_aboutMenu = nullptr;
    HFONT m_dialogFont = nullptr;
    HFONT m_clockFont = nullptr;
    UINT m_dpi = USER_DEFAULT_SCREEN_DPI;
};
