#include "DBusSessionEnder.h"
#include "platform/BrowserCommand.h"
#include "platform/LocaleSeparators.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QLocale>
#include <QWidget>

#include <chrono>
#include <utility>

namespace {

// How long an ending program waits at most for its last request to be taken.
constexpr int requestDeliveryMs = 1000;

class LinuxPlatform final : public Platform {
public:
    QDateTime currentDateTime() const override { return QDateTime::currentDateTime(); }

    std::int64_t monotonicMs() const override
    {
        // CLOCK_MONOTONIC: it stands still while the machine sleeps.
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }

    Separators separators() const override { return separatorsOf(QLocale::system()); }

    void setWindowPos(QWidget *window, int insertAfter, std::int32_t) override
    {
        // Qt's stay-on-top hint is the window manager's "above" state; it neither moves
        // nor resizes the window. Made before the window is shown, it costs no remapping.
        if (window)
            window->setWindowFlag(Qt::WindowStaysOnTopHint, insertAfter == hwndTopmost);
    }

    void exitWindows(SessionAction action) override { m_ender.request(action); }

    void endProgram() override
    {
        m_ending = true;
        QCoreApplication::exit(0);
    }

    bool startProgram(const QString &commandLine, int) override
    {
        // No such browser here: its address goes to the desktop's default handler
        // (xdg-open's conventions), started without a shell.
        const auto address = addressOfCommandLine(commandLine);
        return address && QDesktopServices::openUrl(urlOfAddress(*address));
    }

    void finish() override
    {
        if (m_ending)
            m_ender.waitForAnswers(requestDeliveryMs);
    }

private:
    // Made with the platform, so that which session manager runs is known by the first request.
    DBusSessionEnder m_ender;
    bool m_ending = false;
};

constexpr char platformVariable[] = "QT_QPA_PLATFORM";
bool choseWindowSystem = false;

} // namespace

std::unique_ptr<Platform> createPlatform()
{
    return std::make_unique<LinuxPlatform>();
}

void chooseWindowSystem()
{
    // Wayland lets no client keep itself on top or choose its place, so XWayland is
    // preferred where it exists; a choice the user made stands.
    if (qEnvironmentVariableIsEmpty(platformVariable)) {
        qputenv(platformVariable, "xcb;wayland");
        choseWindowSystem = true;
    }
}

void forgetWindowSystemChoice()
{
    // Programs started later (the browser) must not inherit the choice.
    if (std::exchange(choseWindowSystem, false))
        qunsetenv(platformVariable);
}
