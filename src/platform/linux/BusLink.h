#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>

// One connection to a bus, made away from the window's thread and made again whenever it is
// missing: a bus that was absent, did not answer, refused the connection or dropped it (its
// daemon restarted) is tried again after a pause that grows from a quarter of a second to a
// few seconds, for as long as the connection is wanted.
class BusLink final : public QObject {
public:
    // name: "session" or "system", for the connection's name and the messages;
    // address: the bus's D-Bus address; firstAnswerWithinMs: how long the first attempt waits
    // for a bus that takes the connection and says nothing (later ones wait a second).
    BusLink(QString name, QString address, int firstAnswerWithinMs, QObject *parent = nullptr);
    ~BusLink() override;
    BusLink(const BusLink &) = delete;
    BusLink &operator=(const BusLink &) = delete;

    // Connects unless connected, trying, or pausing between attempts.
    void want();

    // The connection while it is up.
    std::optional<QDBusConnection> connection() const;
    // True once an attempt has ended, whichever way, since the link was made or the
    // connection was lost.
    bool tried() const { return m_ended > 0; }
    // Why there is no connection now, in a few words, naming the bus.
    QString whyNot() const;
    // The pause before the next attempt: 0 once connected.
    int pauseMs() const { return m_pauseMs; }
    // The pause after another failed attempt: a quarter of a second, doubled, 4 s at most.
    static int nextPauseMs(int pauseMs);

    // Called on the window's thread: a new connection is up; any attempt has ended; the
    // connection was lost (another attempt follows).
    std::function<void(const QDBusConnection &)> onConnected;
    std::function<void()> onAttemptEnded;
    std::function<void()> onLost;

private:
    void attempt();
    void attemptEnded(const std::optional<QDBusConnection> &bus, const QString &why);
    void checkStillUp();

    QString m_name;
    QString m_address;
    int m_firstAnswerWithinMs;
    std::optional<QDBusConnection> m_bus;
    QString m_why;
    int m_attempts = 0; // numbers the connections: a name is not used twice
    int m_ended = 0;
    bool m_trying = false;
    int m_pauseMs = 0;
    QTimer m_retry;
    QTimer m_health;
};
