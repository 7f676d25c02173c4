#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QString>
#include <QStringList>

#include <functional>

// A stand-in for logind or a desktop session manager: owns a bus name, records every
// method call made to it, and answers, refuses or stays silent as told.
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
        if (m_answer == Answer::Reply)
            connection.send(message.createReply());
        else if (m_answer == Answer::AccessDenied)
            connection.send(message.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"),
                                                     QStringLiteral("Not allowed")));
        else
            message.setDelayedReply(true);
        return true;
    }

private:
    QDBusConnection m_connection;
    Answer m_answer;
};
