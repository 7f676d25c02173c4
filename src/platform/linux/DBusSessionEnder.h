#pragma once

#include "schedule/SessionAction.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QSet>
#include <QString>

#include <functional>

// Ends the session through the desktop's session manager on the session bus, so that
// other programs can save their work, or through systemd-logind on the system bus where
// no known session manager runs. Which one serves is tracked from the buses' name
// ownership as it changes, so a request never waits; replies are awaited by no one.
class DBusSessionEnder final : public QObject {
public:
    explicit DBusSessionEnder(QObject *parent = nullptr);

    void request(SessionAction action);

    // The session manager's bus name that now receives requests; empty for logind.
    QString desktopService() const;

    // Lets requests already made leave the program: waits, running events, until each has
    // been answered or maxMs has passed. True when nothing is left unanswered.
    bool waitForAnswers(int maxMs);

    // The message each layer receives for an action.
    static QDBusMessage desktopMessage(const QString &service, SessionAction action);
    static QDBusMessage logindMessage(SessionAction action);

private:
    void watchDesktops();
    void send(QDBusConnection &bus, const QDBusMessage &message);

    QDBusConnection m_sessionBus;
    QDBusConnection m_systemBus;
    QDBusServiceWatcher m_watcher;
    QSet<QString> m_runningDesktops;
    int m_unanswered = 0;
    std::function<void()> m_onAllAnswered;
};
