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

// The captions of the About menu's items, by index (UTF-8); "-" is a separator.
std::vector<std::string> aboutCaptions();

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
