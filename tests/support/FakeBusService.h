#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QList>
#include <QString>

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
        m_name = service;
    }
    ~FakeBusService() override
    {
        m_connection.unregisterService(m_name);
        m_connection.unregisterObject(QStringLiteral("/"), QDBusConnection::UnregisterTree);
        QDBusConnection::disconnectFromBus(m_connection.name());
    }

    QList<QDBusMessage> calls;
    std::function<void(const QDBusMessage &)> onCall;

    QString introspect(const QString &) const override { return {}; }
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        calls.append(message);
        if (onCall)
            onCall(message);
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
    QString m_name;
};
