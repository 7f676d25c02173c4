#pragma once

#include <QStringList>

#include <cstdint>
#include <functional>

class FormControls;
class Platform;
class QMenu;
class QWidget;

// Mouse-button codes as the mouse-down handlers receive them.
inline constexpr std::int16_t vbLeftButton = 1;
inline constexpr std::int16_t vbRightButton = 2;
inline constexpr std::int16_t vbMiddleButton = 4;

inline constexpr int aboutItemCount = 5;
inline constexpr std::int16_t mailItem = 3;
inline constexpr std::int16_t homePageItem = 4;

// The captions of the About menu's items, by index; "-" is a separator.
QStringList aboutCaptions();

// Builds the hidden About menu; choosing an item calls onClick with its index.
QMenu *buildAboutMenu(QWidget *parent, const std::function<void(std::int16_t)> &onClick);

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
