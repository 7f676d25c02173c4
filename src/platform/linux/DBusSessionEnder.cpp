#include "DBusSessionEnder.h"
#include "UserEnvironment.h"

#include <QDBusError>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QEventLoop>
#include <QTimer>

#include <array>
#include <cstdio>
#include <memory>
#include <utility>

namespace {

// In order of preference when more than one runs.
const std::array<QString, 3> desktopServices{
    QStringLiteral("org.kde.Shutdown"),
    QStringLiteral("org.gnome.SessionManager"),
    QStringLiteral("org.xfce.SessionManager"),
};

// Long enough for a busy service, short enough that a hung one holds few calls open.
constexpr int replyTimeoutMs = 5000;
// How long the first attempt waits for a session bus that takes the connection and says
// nothing, holding requests back rather than sending them past the session manager.
constexpr int sessionFirstAnswerWithinMs = 5000;
constexpr int systemFirstAnswerWithinMs = 1000;

QDBusMessage call(const QString &service, const QString &path, const QString &interface, const QString &method,
                  const QVariantList &arguments = {})
{
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    return message;
}

QDBusMessage kdeMessage(SessionAction action)
{
    const auto method = action == SessionAction::ShutDown  ? QStringLiteral("logoutAndShutdown")
                        : action == SessionAction::Restart ? QStringLiteral("logoutAndReboot")
                                                           : QStringLiteral("logout");
    return call(QStringLiteral("org.kde.Shutdown"), QStringLiteral("/Shutdown"), QStringLiteral("org.kde.Shutdown"),
                method);
}

QDBusMessage gnomeMessage(SessionAction action)
{
    const QString service = QStringLiteral("org.gnome.SessionManager");
    const QString path = QStringLiteral("/org/gnome/SessionManager");
    if (action == SessionAction::LogOff) {
        constexpr uint noConfirmation = 1;
        return call(service, path, service, QStringLiteral("Logout"), {QVariant::fromValue(noConfirmation)});
    }
    return call(service, path, service,
                action == SessionAction::ShutDown ? QStringLiteral("Shutdown") : QStringLiteral("Reboot"));
}

QDBusMessage xfceMessage(SessionAction action)
{
    const QString service = QStringLiteral("org.xfce.SessionManager");
    const QString path = QStringLiteral("/org/xfce/SessionManager");
    const QString interface = QStringLiteral("org.xfce.Session.Manager");
    const bool allowSave = true;
    if (action == SessionAction::LogOff)
        return call(service, path, interface, QStringLiteral("Logout"), {false, allowSave});
    return call(service, path, interface,
                action == SessionAction::ShutDown ? QStringLiteral("Shutdown") : QStringLiteral("Restart"),
                {allowSave});
}

QString systemBusAddress()
{
    return userEnvironment().value(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"),
                                   QStringLiteral("unix:path=/var/run/dbus/system_bus_socket"));
}

// A question any bus daemon answers; its answer shows that what was sent before it on the
// same connection has reached the bus.
QDBusMessage busQuestion()
{
    return call(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetId"));
}

} // namespace

DBusSessionEnder::DBusSessionEnder(QObject *parent)
    : QObject(parent),
      m_session(QStringLiteral("session"), userEnvironment().value(QStringLiteral("DBUS_SESSION_BUS_ADDRESS")),
                sessionFirstAnswerWithinMs),
      m_system(QStringLiteral("system"), systemBusAddress(), systemFirstAnswerWithinMs)
{
    m_watcher.setWatchMode(QDBusServiceWatcher::WatchForOwnerChange);
    for (const QString &service : desktopServices)
        m_watcher.addWatchedService(service);
    connect(&m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString &service, const QString &, const QString &newOwner) {
                if (newOwner.isEmpty())
                    m_runningDesktops.remove(service);
                else
                    m_runningDesktops.insert(service);
                wantSystemBusUnlessDesktop();
            });
    m_session.onConnected = [this](const QDBusConnection &bus) { watchDesktops(bus); };
    m_session.onLost = [this] {
        forgetDesktops();
        wantSystemBusUnlessDesktop();
    };
    m_session.onAttemptEnded = [this] { wantSystemBusUnlessDesktop(); };
    // Connected once the event loop runs, so that which session manager runs is known by
    // the first request.
    QTimer::singleShot(0, this, [this] { m_session.want(); });
}

void DBusSessionEnder::wantSystemBusUnlessDesktop()
{
    if (sessionKnown() && desktopService().isEmpty())
        m_system.want();
}

QDBusMessage DBusSessionEnder::desktopMessage(const QString &service, SessionAction action)
{
    if (service == desktopServices[0])
        return kdeMessage(action);
    if (service == desktopServices[1])
        return gnomeMessage(action);
    return xfceMessage(action);
}

QDBusMessage DBusSessionEnder::logindMessage(SessionAction action)
{
    const QString service = QStringLiteral("org.freedesktop.login1");
    if (action == SessionAction::LogOff) {
        // "auto" is the caller's own session, or the user's display session; its owner
        // may end it without further rights.
        return call(service, QStringLiteral("/org/freedesktop/login1/session/auto"),
                    QStringLiteral("org.freedesktop.login1.Session"), QStringLiteral("Terminate"));
    }
    const bool interactive = false;
    return call(service, QStringLiteral("/org/freedesktop/login1"), QStringLiteral("org.freedesktop.login1.Manager"),
                action == SessionAction::ShutDown ? QStringLiteral("PowerOff") : QStringLiteral("Reboot"),
                {interactive});
}

void DBusSessionEnder::watchDesktops(const QDBusConnection &bus)
{
    forgetDesktops();
    const int connection = m_sessionConnections;
    // The watcher first, then the questions: a manager that starts in between is not missed.
    m_watcher.setConnection(bus);
    for (const QString &service : desktopServices) {
        const QDBusMessage question =
            call(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                 QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"), {service});
        auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(question), this);
        ++m_desktopQuestions;
        connect(watcher, &QDBusPendingCallWatcher::finished, this,
                [this, service, connection](QDBusPendingCallWatcher *answer) {
                    answer->deleteLater();
                    if (connection != m_sessionConnections)
                        return;
                    const QDBusPendingReply<bool> owned = *answer;
                    if (owned.isValid() && owned.value())
                        m_runningDesktops.insert(service);
                    --m_desktopQuestions;
                    wantSystemBusUnlessDesktop();
                });
    }
}

void DBusSessionEnder::forgetDesktops()
{
    ++m_sessionConnections;
    m_desktopQuestions = 0;
    m_runningDesktops.clear();
}

QString DBusSessionEnder::desktopService() const
{
    for (const QString &service : desktopServices) {
        if (m_runningDesktops.contains(service))
            return service;
    }
    return {};
}

Delivery DBusSessionEnder::request(SessionAction action)
{
    const QString desktop = desktopService();
    if (!desktop.isEmpty())
        return sendOn(m_session, desktopMessage(desktop, action));
    if (!sessionKnown()) {
        // Sent past a session manager that is merely slow, the request would cost the
        // user their unsaved work: held until the session bus has told.
        notSent(m_session.whyNot());
        return Delivery::NotSent;
    }
    return sendOn(m_system, logindMessage(action));
}

Delivery DBusSessionEnder::sendOn(BusLink &link, const QDBusMessage &message)
{
    link.want();
    auto bus = link.connection();
    if (!bus) {
        notSent(link.whyNot());
        return Delivery::NotSent;
    }
    send(*bus, message);
    m_lastWhyNotSent.clear();
    return Delivery::Sent;
}

void DBusSessionEnder::notSent(const QString &why)
{
    if (why == m_lastWhyNotSent)
        return;
    m_lastWhyNotSent = why;
    std::fprintf(stderr, "Tamsverolind: the session cannot be asked to end yet: %s; trying again.\n",
                 qUtf8Printable(why));
}

void DBusSessionEnder::send(QDBusConnection &bus, const QDBusMessage &message)
{
    const int number = ++m_lastSent;
    m_lastAnswer = Answer::Awaited;
    ++m_undelivered;
    auto delivered = std::make_shared<bool>(false);
    auto onTheBus = [this, delivered] {
        if (!std::exchange(*delivered, true) && --m_undelivered == 0 && m_onAllDelivered)
            m_onAllDelivered();
    };
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(message, replyTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, number, onTheBus](QDBusPendingCallWatcher *answer) {
                answer->deleteLater();
                const QDBusError error = answer->error();
                const bool noAnswer = error.type() == QDBusError::NoReply || error.type() == QDBusError::Timeout ||
                                      error.type() == QDBusError::TimedOut;
                if (number == m_lastSent)
                    m_lastAnswer = noAnswer ? Answer::NoReply : error.isValid() ? Answer::Refused : Answer::Accepted;
                onTheBus();
            });
    // Messages leave a connection in order: once the bus has answered this, it has the request.
    auto *question = new QDBusPendingCallWatcher(bus.asyncCall(busQuestion(), replyTimeoutMs), this);
    connect(question, &QDBusPendingCallWatcher::finished, this, [onTheBus](QDBusPendingCallWatcher *answer) {
        answer->deleteLater();
        if (!answer->isError())
            onTheBus();
    });
}

bool DBusSessionEnder::waitForDelivery(int maxMs)
{
    if (m_undelivered == 0)
        return true;
    QEventLoop loop;
    m_onAllDelivered = [&loop] { loop.quit(); };
    QTimer::singleShot(maxMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    m_onAllDelivered = nullptr;
    return m_undelivered == 0;
}
