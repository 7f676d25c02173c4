#include "DBusSessionEnder.h"

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

// A question any bus daemon answers; its answer shows that what was sent before it on the
// same connection has reached the bus.
QDBusMessage busQuestion()
{
    return call(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetId"));
}

} // namespace

DBusSessionEnder::DBusSessionEnder(SessionBuses &buses, QObject *parent) : QObject(parent), m_buses(buses)
{
    m_buses.watch({desktopServices.begin(), desktopServices.end()});
    m_buses.onChange([this] { wantSystemBusUnlessDesktop(); });
}

void DBusSessionEnder::wantSystemBusUnlessDesktop()
{
    if (m_buses.sessionKnown() && desktopService().isEmpty())
        m_buses.system().want();
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

QString DBusSessionEnder::desktopService() const
{
    for (const QString &service : desktopServices) {
        if (m_buses.runs(service))
            return service;
    }
    return {};
}

Delivery DBusSessionEnder::request(SessionAction action)
{
    const QString desktop = desktopService();
    if (!desktop.isEmpty())
        return sendOn(m_buses.session(), desktopMessage(desktop, action));
    if (!m_buses.sessionKnown()) {
        // Sent past a session manager that is merely slow, the request would cost the
        // user their unsaved work: held until the session bus has told.
        notSent(m_buses.session().whyNot());
        return Delivery::NotSent;
    }
    return sendOn(m_buses.system(), logindMessage(action));
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
                    answered(noAnswer          ? Answer::NoReply
                             : error.isValid() ? Answer::Refused
                                               : Answer::Accepted,
                             error.name() + QStringLiteral(": ") + error.message());
                onTheBus();
            });
    // Messages leave a connection in order: once the bus has answered this, it has the request.
    // An error comes only with the request's own (the connection lost): nothing left to wait for.
    auto *question = new QDBusPendingCallWatcher(bus.asyncCall(busQuestion(), replyTimeoutMs), this);
    connect(question, &QDBusPendingCallWatcher::finished, this, [onTheBus](QDBusPendingCallWatcher *answer) {
        answer->deleteLater();
        onTheBus();
    });
}

void DBusSessionEnder::answered(Answer answer, const QString &why)
{
    m_lastAnswer = answer;
    if (answer == Answer::Accepted)
        m_lastWhyRefused.clear();
    if (answer != Answer::Refused || why == m_lastWhyRefused)
        return;
    m_lastWhyRefused = why;
    std::fprintf(stderr, "Tamsverolind: the session refused to end: %s.\n", qUtf8Printable(why));
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
