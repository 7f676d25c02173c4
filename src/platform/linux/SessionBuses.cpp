#include "SessionBuses.h"
#include "UserEnvironment.h"

#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QTimer>

namespace {

// How long the first attempt waits for a session bus that takes the connection and says
// nothing, holding requests back rather than sending them past the session manager.
constexpr int sessionFirstAnswerWithinMs = 5000;
constexpr int systemFirstAnswerWithinMs = 1000;

QString systemBusAddress()
{
    return userEnvironment().value(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"),
                                   QStringLiteral("unix:path=/var/run/dbus/system_bus_socket"));
}

} // namespace

SessionBuses::SessionBuses(QObject *parent)
    : SessionBuses(userEnvironment().value(QStringLiteral("DBUS_SESSION_BUS_ADDRESS")), systemBusAddress(), parent)
{
}

SessionBuses::SessionBuses(const QString &sessionAddress, const QString &systemAddress, QObject *parent)
    : QObject(parent), m_session(QStringLiteral("session"), sessionAddress, sessionFirstAnswerWithinMs),
      m_system(QStringLiteral("system"), systemAddress, systemFirstAnswerWithinMs)
{
    m_watcher.setWatchMode(QDBusServiceWatcher::WatchForOwnerChange);
    connect(&m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString &name, const QString &, const QString &newOwner) {
                if (newOwner.isEmpty())
                    m_running.remove(name);
                else
                    m_running.insert(name);
                changed();
            });
    m_session.onConnected = [this](const QDBusConnection &bus) { askWhoRuns(bus); };
    m_session.onLost = [this] {
        forget();
        changed();
    };
    m_session.onAttemptEnded = [this] { changed(); };
    m_system.onConnected = [this](const QDBusConnection &) { changed(); };
    m_system.onLost = [this] { changed(); };
    // Connected once the event loop runs, so that which names run is known by the first use.
    QTimer::singleShot(0, this, [this] { m_session.want(); });
}

void SessionBuses::watch(const QStringList &names)
{
    m_names += names;
    for (const QString &name : names)
        m_watcher.addWatchedService(name);
}

void SessionBuses::askWhoRuns(const QDBusConnection &bus)
{
    forget();
    const int connection = m_connection;
    // The watcher first, then the questions: a name taken in between is not missed.
    m_watcher.setConnection(bus);
    for (const QString &name : std::as_const(m_names)) {
        QDBusMessage question = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
        question.setArguments({name});
        auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(question), this);
        ++m_questions;
        connect(watcher, &QDBusPendingCallWatcher::finished, this,
                [this, name, connection](QDBusPendingCallWatcher *answer) {
                    answer->deleteLater();
                    if (connection != m_connection)
                        return;
                    const QDBusPendingReply<bool> owned = *answer;
                    if (owned.isValid() && owned.value())
                        m_running.insert(name);
                    --m_questions;
                    changed();
                });
    }
}

void SessionBuses::forget()
{
    ++m_connection;
    m_questions = 0;
    m_running.clear();
}

void SessionBuses::changed()
{
    for (const auto &listener : m_listeners)
        listener();
}
