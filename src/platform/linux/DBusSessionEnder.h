#pragma once

#include "SessionBuses.h"
#include "ports/RequestFate.h"
#include "ports/Values.h"

#include <QDBusMessage>
#include <QObject>
#include <QString>

#include <functional>

// Ends the session through the desktop's session manager on the session bus, so that
// other programs can save their work, or through systemd-logind on the system bus where
// no known session manager runs. Which one serves is tracked from the buses' name
// ownership as it changes, so a request never waits; its answer is recorded when it comes.
// Both buses are the user's (their addresses as the program was started with them) and are
// kept connected by links that try again; the system bus is wanted only once the session
// bus has told that no session manager runs, or could not be reached.
class DBusSessionEnder final : public QObject {
public:
    explicit DBusSessionEnder(SessionBuses &buses, QObject *parent = nullptr);

    // Sends the request without waiting: NotSent while no bus that could take it is
    // connected, else Sent. Why a request could not be sent, or was refused, goes to
    // standard error, once for each cause in a row.
    Delivery request(SessionAction action);

    // The answer to the last request sent: Awaited until one comes, then Accepted or
    // Refused, or NoReply when none came within the reply time.
    Answer lastAnswer() const { return m_lastAnswer; }

    // The session manager's bus name that now receives requests; empty for logind.
    QString desktopService() const;

    // True once the buses that serve have been tried (connected or not).
    bool connected() const
    {
        return m_buses.sessionKnown() && (m_buses.system().tried() || !desktopService().isEmpty());
    }

    // Lets requests already made leave the program: waits, running events, until the bus
    // has each of them (their answer came, or that of a question asked after them on the
    // same connection; or their connection is lost) or maxMs has passed. True when nothing
    // is left to wait for.
    bool waitForDelivery(int maxMs);

private:
    // The message each layer receives for an action.
    static QDBusMessage desktopMessage(const QString &service, SessionAction action);
    static QDBusMessage logindMessage(SessionAction action);

    void wantSystemBusUnlessDesktop();
    Delivery sendOn(BusLink &link, const QDBusMessage &message);
    void send(QDBusConnection &bus, const QDBusMessage &message);
    void notSent(const QString &why);
    void answered(Answer answer, const QString &why);

    SessionBuses &m_buses;
    int m_undelivered = 0;
    int m_lastSent = 0; // numbers the requests, so that a late answer to an older one is not taken
    Answer m_lastAnswer = Answer::Awaited;
    QString m_lastWhyNotSent;
    QString m_lastWhyRefused;
    std::function<void()> m_onAllDelivered;
};
