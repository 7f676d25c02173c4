#include "AboutMenu.h"

#include "Links.h"
#include "Version.h"
#include "ports/FormControls.h"
#include "ports/Platform.h"

namespace {

constexpr int windowStyleMaximizedFocus = 3;

} // namespace

std::int16_t buttonCode(MouseButton button)
{
    switch (button) {
    case MouseButton::Left:
        return vbLeftButton;
    case MouseButton::Right:
        return vbRightButton;
    case MouseButton::Middle:
        return vbMiddleButton;
    case MouseButton::Other:
        break;
    }
    return 0;
}

std::int16_t shiftCode(Modifiers modifiers)
{
    return static_cast<std::int16_t>((modifiers.shift ? 1 : 0) | (modifiers.control ? 2 : 0) | (modifiers.alt ? 4 : 0));
}

std::vector<AboutItem> aboutItems()
{
    return {{TAMSVEROLIND_NAME " " TAMSVEROLIND_VERSION_TEXT},
            {std::string(links::creditLine)},
            {"-", true},
            {"E-MAIL : " + std::string(links::emailAddress)},
            {"URL : " + std::string(links::homePage)}};
}

AboutHandlers::AboutHandlers(FormControls &form, Platform &platform) : m_form(form), m_platform(platform)
{
}

void AboutHandlers::Form_MouseDown(std::int16_t button, std::int16_t, float, float)
{
    popUpOnRightButton(button);
}

void AboutHandlers::Frame2_MouseDown(std::int16_t button, std::int16_t, float, float)
{
    popUpOnRightButton(button);
}

void AboutHandlers::Label1_MouseDown(std::int16_t button, std::int16_t, float, float)
{
    popUpOnRightButton(button);
}

void AboutHandlers::popUpOnRightButton(std::int16_t button)
{
    if (button == vbRightButton)
        m_form.popUpAboutMenu();
}

void AboutHandlers::mnusubAbout_Click(std::int16_t index)
{
    if (index != mailItem && index != homePageItem)
        return;
    const bool mail = index == mailItem;
    if (m_platform.startProgram(mail ? links::mailCommandLine() : links::homePageCommandLine(),
                                windowStyleMaximizedFocus))
        return;
    // That browser is missing (always, outside Windows): the user's own handler opens the address.
    std::string address(mail ? links::emailAddress : links::homePage);
    m_platform.openWithUserHandler(mail ? links::mailUrl() : links::homePageUrl(),
                                   [&form = m_form, address = std::move(address)](bool opened) {
                                       if (!opened)
                                           form.showLinkFailure(address);
                                   });
}
