#pragma once

#include "BusLink.h"

#include <QDBusServiceWatcher>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// The user's session and system buses, each kept connected by its link, and which of some
// well-known names run on the session bus, tracked as their owners change. The session bus
// is connected to once the event loop runs; the system bus when one of its users wants it.
class SessionBuses final : public QObject {
public:
    // The buses at the addresses the user started the program with.
    explicit SessionBuses(QObject *parent = nullptr);
    SessionBuses(const QString &sessionAddress, const QString &systemAddress, QObject *parent = nullptr);

    // Names to track on the session bus; given before the event loop runs.
    void watch(const QStringList &names);
    // Called whenever what is known below may have changed: a name's owner, a link that
    // connected, was lost, or ended an attempt.
    void onChange(std::function<void()> listener) { m_listeners.push_back(std::move(listener)); }

    BusLink &session() { return m_session; }
    BusLink &system() { return m_system; }
    // The session bus has been tried and, if connected, has said which names run.
    bool sessionKnown() const { return m_session.tried() && m_questions == 0; }
    bool runs(const QString &name) const { return m_running.contains(name); }

private:
    void askWhoRuns(const QDBusConnection &bus);
    void forget();
    void changed();

    BusLink m_session;
    BusLink m_system;
    QStringList m_names;
    QDBusServiceWatcher m_watcher;
    QSet<QString> m_running;
    int m_questions = 0;  // who owns the names, not yet answered
    int m_connection = 0; // so that an answer from a lost connection is not taken
    std::vector<std::function<void()>> m_listeners;
};
