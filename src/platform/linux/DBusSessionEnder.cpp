#include "DBusSessionEnder.h"

#include <QCoreApplication>
#include <QDBusError>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

#include <array>
#include <thread>

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

} // namespace

DBusSessionEnder::DBusSessionEnder(QObject *parent) : QObject(parent)
{
    // Connected once the event loop runs, on a thread of its own, so that one that does not
    // answer holds up neither start-up nor the tick.
    QTimer::singleShot(0, this, [this] { connectInBackground(true); });
}

void DBusSessionEnder::connectInBackground(bool session)
{
    QPointer<DBusSessionEnder> self(this);
    std::thread([self, session] {
        const QDBusConnection bus = session ? QDBusConnection::sessionBus() : QDBusConnection::systemBus();
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, bus, session] {
                if (self)
                    self->useBus(bus, session);
            },
            Qt::QueuedConnection);
    }).detach();
}

void DBusSessionEnder::useBus(const QDBusConnection &bus, bool session)
{
    if (!session) {
        m_systemBus = bus;
        return;
    }
    m_sessionBus = bus;
    watchDesktops();
    connectSystemBusUnlessDesktop();
}

void DBusSessionEnder::connectSystemBusUnlessDesktop()
{
    if (m_systemBusAsked || !m_sessionBus || m_desktopQuestions > 0 || !desktopService().isEmpty())
        return;
    m_systemBusAsked = true;
    connectInBackground(false);
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

void DBusSessionEnder::watchDesktops()
{
    if (!m_sessionBus->isConnected())
        return;
    // The watcher first, then the questions: a manager that starts in between is not missed.
    m_watcher.setConnection(*m_sessionBus);
    m_watcher.setWatchMode(QDBusServiceWatcher::WatchForOwnerChange);
    for (const QString &service : desktopServices)
        m_watcher.addWatchedService(service);
    connect(&m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString &service, const QString &, const QString &newOwner) {
                if (newOwner.isEmpty())
                    m_runningDesktops.remove(service);
                else
                    m_runningDesktops.insert(service);
            });
    for (const QString &service : desktopServices) {
        QDBusMessage question = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
        auto *watcher = new QDBusPendingCallWatcher(m_sessionBus->asyncCall(question << service), this);
        ++m_desktopQuestions;
        connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, service](QDBusPendingCallWatcher *answer) {
            const QDBusPendingReply<bool> owned = *answer;
            if (owned.isValid() && owned.value())
                m_runningDesktops.insert(service);
            answer->deleteLater();
            --m_desktopQuestions;
            connectSystemBusUnlessDesktop();
        });
    }
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
    if (desktop.isEmpty())
        connectSystemBusUnlessDesktop(); // the session manager has left
    std::optional<QDBusConnection> &bus = desktop.isEmpty() ? m_systemBus : m_sessionBus;
    if (!bus || !bus->isConnected())
        return Delivery::NotSent;
    send(*bus, desktop.isEmpty() ? logindMessage(action) : desktopMessage(desktop, action));
    return Delivery::Sent;
}

void DBusSessionEnder::send(QDBusConnection &bus, const QDBusMessage &message)
{
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(message, replyTimeoutMs), this);
    ++m_unanswered;
    const int number = ++m_lastSent;
    m_lastAnswer = Answer::Awaited;
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, number](QDBusPendingCallWatcher *answer) {
        answer->deleteLater();
        const QDBusError error = answer->error();
        const bool noAnswer = error.type() == QDBusError::NoReply || error.type() == QDBusError::Timeout ||
                              error.type() == QDBusError::TimedOut;
        if (number == m_lastSent)
            m_lastAnswer = noAnswer ? Answer::NoReply : error.isValid() ? Answer::Refused : Answer::Accepted;
        if (--m_unanswered == 0 && m_onAllAnswered)
            m_onAllAnswered();
    });
}

bool DBusSessionEnder::waitForAnswers(int maxMs)
{
    if (m_unanswered == 0)
        return true;
    QEventLoop loop;
    m_onAllAnswered = [&loop] { loop.quit(); };
    QTimer::singleShot(maxMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    m_onAllAnswered = nullptr;
    return m_unanswered == 0;
}
