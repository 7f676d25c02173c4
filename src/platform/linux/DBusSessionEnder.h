#pragma once

#include "schedule/SessionAction.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QSet>
#include <QString>

#include <functional>
#include <optional>

// Ends the session through the desktop's session manager on the session bus, so that
// other programs can save their work, or through systemd-logind on the system bus where
// no known session manager runs. Which one serves is tracked from the buses' name
// ownership as it changes, so a request never waits; replies are awaited by no one.
// The buses are connected to away from the window's thread: a bus that does not answer
// never holds up start-up, and requests made until then are asked again by later ticks.
class DBusSessionEnder final : public QObject {
public:
    explicit DBusSessionEnder(QObject *parent = nullptr);

    // Sends the request unless one is still unanswered or the session already accepted
    // one: each call can cut short the phase in which other programs save their work.
    // A refusal (an error from the service) lets the next request go.
    void request(SessionAction action);

    // The schedule was armed anew: an accepted request no longer holds the next (one still
    // unanswered does).
    void allowAnotherRequest();

    // The session manager's bus name that now receives requests; empty for logind.
    QString desktopService() const;

    // True once both buses have been tried (connected or not).
    bool connected() const { return m_systemBus.has_value(); }

    // Lets requests already made leave the program: waits, running events, until each has
    // been answered or maxMs has passed. True when nothing is left unanswered.
    bool waitForAnswers(int maxMs);

private:
    // The message each layer receives for an action.
    static QDBusMessage desktopMessage(const QString &service, SessionAction action);
    static QDBusMessage logindMessage(SessionAction action);

    void connectInBackground(bool session);
    void useBus(const QDBusConnection &bus, bool session);
    void watchDesktops();
    void send(QDBusConnection &bus, const QDBusMessage &message);

    std::optional<QDBusConnection> m_sessionBus;
    std::optional<QDBusConnection> m_systemBus;
    QDBusServiceWatcher m_watcher;
    QSet<QString> m_runningDesktops;
    int m_unanswered = 0;
    // Set while a request is unanswered, and once one was accepted or never answered.
    bool m_holdRequests = false;
    std::function<void()> m_onAllAnswered;
};
