#pragma once

#include "SessionBuses.h"

#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>

// Keeps the machine from sleeping by itself while the schedule is armed, through the
// desktop's own services, as the session-ending requests go to its session manager:
//
//   runs on the session bus          | held by                                   | let go by
//   ---------------------------------+-------------------------------------------+-----------------
//   org.gnome.SessionManager         | Inhibit(app, window, reason, 4: suspend)  | Uninhibit(cookie)
//   org.freedesktop.PowerManagement  | Inhibit(application, reason)              | UnInhibit(cookie)
//   neither                          | logind: Inhibit("sleep", …, "block")      | its lock closed
//
// Never GNOME's idle flag (it keeps the screen lit) nor its log-out flag, never logind's
// "idle" or "shutdown": the screen still blanks and locks, and the program's own request to
// end the session is never held back. The hold is taken again whenever the service that
// should hold changes or its bus is connected again; one that cannot be taken says why on
// standard error, once for each cause in a row, and is tried again after a pause that grows
// from a second to a minute (logind may come after its bus); the program runs on.
class DBusSleepHold final : public QObject {
public:
    explicit DBusSleepHold(SessionBuses &buses, QObject *parent = nullptr);
    ~DBusSleepHold() override;
    DBusSleepHold(const DBusSleepHold &) = delete;
    DBusSleepHold &operator=(const DBusSleepHold &) = delete;

    // Takes the hold, or gives it a new reason: the new one holds before the old one goes.
    void hold(const QString &reason);
    void release();
    // The program's window, which GNOME shows beside the reason.
    void setWindow(quint32 windowId) { m_window = windowId; }

    // The service that holds now (its answer came); empty while none does.
    QString holder() const;

private:
    enum class Service { None, Gnome, PowerManagement, Logind };
    struct Held {
        Service service;
        QString connection; // the bus connection's name: gone with it when the bus restarts
        QString reason;
        uint cookie = 0;
        QDBusUnixFileDescriptor lock;
    };

    static QString name(Service service);
    Service serving() const;
    void renew();
    void take(Service service, QDBusConnection &bus);
    void taken(int attempt, Held held, const QDBusMessage &answer);
    void letGo(const Held &held);
    void cannotHold(const QString &why);

    SessionBuses &m_buses;
    std::optional<QString> m_reason; // wanted while set
    std::optional<Held> m_held;
    std::optional<Held> m_taking; // asked for, its answer not yet in
    int m_attempts = 0;           // numbers the attempts: a late answer to an older one is let go
    quint32 m_window = 0;
    QString m_lastWhyNot;
    QTimer m_retry;
};
