#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QDBusVirtualObject>
#include <QString>
#include <QStringList>

#include <poll.h>
#include <unistd.h>

#include <functional>
#include <vector>

// A stand-in for logind, a desktop session manager or power manager: owns a bus name,
// records every method call made to it, and answers, refuses or stays silent as told. An
// Inhibit call it answers gets a cookie, or, from logind (four strings), a lock: one end of
// a pipe, whose closing this side sees.
class FakeBusService final : public QDBusVirtualObject {
public:
    enum class Answer { Reply, AccessDenied, Never };

    FakeBusService(const QByteArray &busVariable, const QString &service, Answer answer = Answer::Reply)
        : m_connection(QDBusConnection::connectToBus(QString::fromLocal8Bit(qgetenv(busVariable.constData())),
                                                     QStringLiteral("fake-") + service)),
          m_answer(answer)
    {
        m_connection.registerVirtualObject(QStringLiteral("/"), this, QDBusConnection::SubPath);
        m_connection.registerService(service);
    }
    ~FakeBusService() override // the name leaves the bus with the connection
    {
        m_connection.unregisterObject(QStringLiteral("/"), QDBusConnection::UnregisterTree);
        QDBusConnection::disconnectFromBus(m_connection.name());
        for (const int lock : m_locks)
            ::close(lock);
    }

    // The locks given whose other end is still open.
    int locksHeld() const
    {
        int open = 0;
        for (const int lock : m_locks) {
            pollfd end{lock, POLLIN, 0};
            open += ::poll(&end, 1, 0) == 1 && (end.revents & POLLHUP) ? 0 : 1;
        }
        return open;
    }

    // Each call as "path interface.member(signature) arguments", arguments joined by commas.
    QStringList calls;
    std::function<void(const QString &)> onCall;

    QString introspect(const QString &) const override { return {}; }
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        QStringList arguments;
        for (const QVariant &argument : message.arguments())
            arguments << argument.toString();
        calls << QStringLiteral("%1 %2.%3(%4) %5")
                     .arg(message.path(), message.interface(), message.member(), message.signature(),
                          arguments.join(QLatin1Char(',')));
        if (onCall)
            onCall(calls.last());
        if (m_answer == Answer::Never)
            held.push_back({message, connection}), message.setDelayedReply(true);
        else
            connection.send(m_answer == Answer::Reply ? reply(message) : refusal(message));
        return true;
    }

    // The calls left unanswered, answered now: accepted, or refused.
    struct Held {
        QDBusMessage call;
        QDBusConnection connection;
    };
    std::vector<Held> held;
    void answer(std::size_t call, bool accept)
    {
        const Held &it = held.at(call);
        it.connection.send(accept ? it.call.createReply() : refusal(it.call));
    }

private:
    static QDBusMessage refusal(const QDBusMessage &message)
    {
        return message.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"),
                                        QStringLiteral("Not allowed"));
    }
    QDBusMessage reply(const QDBusMessage &message)
    {
        QDBusMessage reply = message.createReply();
        int ends[2];
        if (message.member() != u"Inhibit")
            return reply;
        if (message.signature() != u"ssss" || ::pipe(ends) != 0)
            return reply << QVariant::fromValue(++m_cookies);
        reply << QVariant::fromValue(QDBusUnixFileDescriptor(ends[1])); // a copy goes with the reply
        ::close(ends[1]);
        m_locks.push_back(ends[0]);
        return reply;
    }

    QDBusConnection m_connection;
    Answer m_answer;
    uint m_cookies = 0;
    std::vector<int> m_locks;
};
