#pragma once

#include "PickerDays.h"
#include "PickerSteps.h"
#include "Win32Layout.h"
#include "ports/FormControls.h"
#include "window/Form1.h"
#include "window/FormDescription.h"

#include <windows.h>

#include <map>
#include <optional>

class Platform;

// The window as native Win32 controls built from the window's description: group boxes
// for the frames, a static for the clock, common-controls date-time pickers, a drop-down
// combo box, auto radio buttons and push buttons, all children of the one window so that
// Windows' own dialog navigation (Tab, arrows, Space) walks them in their tab order.
class Win32Window final : public FormControls {
public:
    static constexpr UINT_PTR tickTimer = 1;
    static constexpr int firstMenuId = 1000; // the About menu's items, by index

    explicit Win32Window(Platform &platform);
    ~Win32Window() override;

    // Creates the window and its controls, runs Form_Load and starts the tick.
    bool create(HINSTANCE instance);
    // Shows the window with the focus on its first control.
    void show(int showCommand);
    // Dialog keys for the window's controls, and the wheel; true when the message was handled
    // (or dropped) here.
    bool preTranslateMessage(MSG &message);

    HWND handle() const { return m_window; }
    HWND control(ControlId id) const { return m_controls.at(id); }
    const Form1 &form() const { return m_form; }

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
    void command(int id, int notification);
    void keepOptionsAsTabStops();
    void rememberFocus();
    void restoreFocus();
    void createControls();
    void buildAboutMenu();
    void orderForTabbing();
    void nameForScreenReaders();
    void changeDpi(UINT dpi, const RECT &suggested);
    void keepInsideWorkArea();
    void setPickerFormats();
    void scheduleTick();
    void mouseDown(MouseButton button, LPARAM position);

    Platform &m_platform;
    Form1 m_form;
    HWND m_window = nullptr;
    std::map<ControlId, HWND> m_controls;
    HMENU m_aboutMenu = nullptr;
    win32::Fonts m_fonts;
    UINT m_dpi = USER_DEFAULT_SCREEN_DPI;
    // The control that had the focus when the window was last left, given it back on return.
    HWND m_lastFocus = nullptr;
    std::string m_caption; // the clock's text, as set (the label draws it with no-break blanks)
    std::optional<PickerSteps> m_pickerSteps;
    std::optional<PickerDays> m_pickerDays;
};
