#pragma once

#include <cstdint>
#include <string>
#include <vector>

class FormControls;
class Platform;

// Mouse-button codes as the mouse-down handlers receive them.
inline constexpr std::int16_t vbLeftButton = 1;
inline constexpr std::int16_t vbRightButton = 2;
inline constexpr std::int16_t vbMiddleButton = 4;

inline constexpr std::int16_t mailItem = 3;
inline constexpr std::int16_t homePageItem = 4;

// The buttons and modifier keys of a press, as a front-end reports them, and their codes as
// the mouse-down handlers receive them (Shift 1, Ctrl 2, Alt 4, added).
enum class MouseButton { Left, Right, Middle, Other };
struct Modifiers {
    bool shift = false;
    bool control = false;
    bool alt = false;
};
std::int16_t buttonCode(MouseButton button);
std::int16_t shiftCode(Modifiers modifiers);

// The About menu's items, by index: a caption (UTF-8), or a separator.
struct AboutItem {
    std::string caption;
    bool separator = false;
};
std::vector<AboutItem> aboutItems();

// The right-click surfaces' handlers and the menu's click handler.
class AboutHandlers {
public:
    AboutHandlers(FormControls &form, Platform &platform);

    void Form_MouseDown(std::int16_t button, std::int16_t shift, float x, float y);
    void Frame2_MouseDown(std::int16_t button, std::int16_t shift, float x, float y);
    void Label1_MouseDown(std::int16_t button, std::int16_t shift, float x, float y);
    void mnusubAbout_Click(std::int16_t index);

private:
    void popUpOnRightButton(std::int16_t button);

    FormControls &m_form;
    Platform &m_platform;
};
