#pragma once

#include "ports/RequestFate.h"
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
// ownership as it changes, so a request never waits; its answer is recorded when it comes.
// The buses are connected to away from the window's thread, the system bus only where no
// session manager runs: Qt serves every bus from one thread, which a system bus that does
// not answer would hold.
class DBusSessionEnder final : public QObject {
public:
    explicit DBusSessionEnder(QObject *parent = nullptr);

    // Sends the request without waiting: NotSent while no bus that could take it is
    // connected, else Sent.
    Delivery request(SessionAction action);

    // The answer to the last request sent: Awaited until one comes, then Accepted or
    // Refused, or NoReply when none came within the reply time.
    Answer lastAnswer() const { return m_lastAnswer; }

    // The session manager's bus name that now receives requests; empty for logind.
    QString desktopService() const;

    // True once the buses that serve have been tried (connected or not).
    bool connected() const { return m_sessionBus && (m_systemBus || !desktopService().isEmpty()); }

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
    void connectSystemBusUnlessDesktop();
    void send(QDBusConnection &bus, const QDBusMessage &message);

    std::optional<QDBusConnection> m_sessionBus;
    std::optional<QDBusConnection> m_systemBus;
    QDBusServiceWatcher m_watcher;
    QSet<QString> m_runningDesktops;
    int m_desktopQuestions = 0; // who owns the session managers' names, not yet answered
    bool m_systemBusAsked = false;
    int m_unanswered = 0;
    int m_lastSent = 0; // numbers the requests, so that a late answer to an older one is not taken
    Answer m_lastAnswer = Answer::Awaited;
    std::function<void()> m_onAllAnswered;
};
