#include "AboutMenu.h"

#include "Links.h"
#include "Version.h"
#include "platform/FormControls.h"
#include "platform/Platform.h"

#include <QMenu>

namespace {

constexpr int windowStyleMaximizedFocus = 3;

} // namespace

QStringList aboutCaptions()
{
    return {
        QStringLiteral(TAMSVEROLIND_NAME " " TAMSVEROLIND_VERSION_TEXT),
        QString::fromUtf16(links::creditLine),
        QStringLiteral("-"),
        QStringLiteral("E-MAIL : ") + QString::fromUtf16(links::emailAddress),
        QStringLiteral("URL : ") + QString::fromUtf16(links::homePage),
    };
}

QMenu *buildAboutMenu(QWidget *parent, const std::function<void(std::int16_t)> &onClick)
{
    auto *menu = new QMenu(QStringLiteral("About"), parent);
    menu->setObjectName(QStringLiteral("mnuAbout"));
    const QStringList captions = aboutCaptions();
    for (int index = 0; index < captions.size(); ++index) {
        QAction *item = captions[index] == u"-" ? menu->addSeparator() : menu->addAction(captions[index]);
        item->setObjectName(QStringLiteral("mnusubAbout_%1").arg(index));
        const auto itemIndex = static_cast<std::int16_t>(index);
        QObject::connect(item, &QAction::triggered, menu, [onClick, itemIndex] { onClick(itemIndex); });
    }
    return menu;
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
    QString commandLine;
    QString address;
    if (index == mailItem) {
        commandLine = links::mailCommandLine();
        address = QString::fromUtf16(links::emailAddress);
    } else if (index == homePageItem) {
        commandLine = links::homePageCommandLine();
        address = QString::fromUtf16(links::homePage);
    } else {
        return;
    }
    if (!m_platform.startProgram(commandLine, windowStyleMaximizedFocus))
        m_form.showLinkFailure(address);
}
