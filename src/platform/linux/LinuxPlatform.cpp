#include "DBusSessionEnder.h"
#include "DBusSleepHold.h"
#include "UserEnvironment.h"
#include "platform/SystemClock.h"
#include "platform/qt/LocaleSeparators.h"
#include "platform/qt/QtPlatform.h"

#include <QCoreApplication>
#include <QLocale>
#include <QProcess>
#include <QUrl>

#include <array>
#include <utility>

namespace {

// How long an ending program waits at most for its last request to be taken.
constexpr int requestDeliveryMs = 1000;

// Settings of Qt's X11 platform that the program chooses unless the user has: the window
// system, painting at once rather than after Qt's 5 ms update timer, and no shared-memory
// images (whose completion events wake the program a second and third time every tick).
// They stay in the program's own environment; programs it starts get the user's.
constexpr std::array<std::pair<const char *, const char *>, 3> qtSettings{{
    {"QT_QPA_PLATFORM", "xcb"},
    {"QT_XCB_NO_MITSHM", "1"},
    {"QT_QPA_UPDATE_IDLE_TIME", "0"},
}};

class LinuxPlatform final : public QtPlatform {
public:
    WallClock currentDateTime() const override { return systemclock::localNow(); }
    std::int64_t monotonicMs() const override { return systemclock::monotonicMs(); }
    std::int64_t sinceBootMs() const override { return systemclock::sinceBootMs(); }
    Separators separators() const override { return m_separators; }

    Delivery exitWindows(SessionAction action) override { return m_ender.request(action); }
    Answer lastAnswer() const override { return m_ender.lastAnswer(); }
    void holdAwake(const std::string &reason) override { m_hold.hold(QString::fromStdString(reason)); }
    void releaseAwake() override { m_hold.release(); }
    void windowShown(unsigned long long windowId) override { m_hold.setWindow(static_cast<quint32>(windowId)); }

    void endProgram() override
    {
        m_ending = true;
        QCoreApplication::exit(0);
    }

    // The links name a Windows browser by its Windows path: nothing here starts from it.
    bool startProgram(const std::string &, int) override { return false; }

    void openWithUserHandler(const std::string &url, std::function<void(bool)> whenKnown) override
    {
        // The desktop's default handler through xdg-open, as Qt's own URL opener does on
        // these desktops, but in the user's environment; started without a shell, and its
        // end awaited without blocking the window: a status other than 0 (3: no handler
        // found) means nothing opened.
        const QUrl address(QString::fromStdString(url), QUrl::StrictMode);
        if (!address.isValid())
            return whenKnown(false);
        auto *opener = new QProcess(&m_openers);
        opener->setProgram(QStringLiteral("xdg-open"));
        opener->setArguments({address.toString(QUrl::FullyEncoded)});
        opener->setProcessEnvironment(userEnvironment());
        QObject::connect(opener, &QProcess::errorOccurred, opener, [opener, whenKnown](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart) {
                whenKnown(false);
                opener->deleteLater();
            }
        });
        QObject::connect(opener, &QProcess::finished, opener,
                         [opener, whenKnown](int status, QProcess::ExitStatus how) {
                             whenKnown(how == QProcess::NormalExit && status == 0);
                             opener->deleteLater();
                         });
        opener->start();
    }

    void finish() override
    {
        // The window is gone: nothing is told of a handler that ends from now on.
        for (QObject *opener : m_openers.children())
            opener->disconnect();
        if (m_ending)
            m_ender.waitForDelivery(requestDeliveryMs);
    }

private:
    // Read once: the tick writes the clock text every second.
    Separators m_separators = separatorsOf(QLocale::system());
    // Made with the platform, so that which session manager runs is known by the first request.
    SessionBuses m_buses;
    DBusSessionEnder m_ender{m_buses};
    // Let go with the program: its lock and its connections close as it exits.
    DBusSleepHold m_hold{m_buses};
    bool m_ending = false;
    QObject m_openers; // the handlers started, until they end
};

} // namespace

std::unique_ptr<QtPlatform> createPlatform()
{
    return std::make_unique<LinuxPlatform>();
}

std::optional<std::string> chooseWindowSystem()
{
    // Wayland lets no client keep itself on top or choose its place, so the program runs on
    // X11, or XWayland on a Wayland desktop. What the user chose stands.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            return "Tamsverolind needs XWayland on this Wayland desktop: a Wayland program cannot keep itself above "
                   "other windows.";
        return "Tamsverolind needs a graphical session: DISPLAY is not set.";
    }
    for (const auto &[variable, value] : qtSettings) {
        if (!qEnvironmentVariableIsSet(variable))
            qputenv(variable, value);
    }
    return std::nullopt;
}
