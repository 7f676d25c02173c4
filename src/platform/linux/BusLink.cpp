#include "BusLink.h"
#include "BusSocket.h"

#include <QCoreApplication>
#include <QDBusError>
#include <QPointer>

#include <algorithm>
#include <thread>

namespace {

constexpr int firstPauseMs = 250;
constexpr int longestPauseMs = 4000;
// How long a later attempt waits for a bus that takes the connection and says nothing.
constexpr int answerWithinMs = 1000;
// Qt tells of a lost connection only through isConnected(): looked at before each use, and
// this seldom besides, so that a daemon restarted while the program waits is connected to
// again before the request, at a cost of no wake-up worth counting.
constexpr int lookForLossMs = 30000;

} // namespace

BusLink::BusLink(QString name, QString address, int firstAnswerWithinMs, QObject *parent)
    : QObject(parent), m_name(std::move(name)), m_address(std::move(address)),
      m_firstAnswerWithinMs(firstAnswerWithinMs)
{
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &BusLink::attempt);
    m_health.setInterval(lookForLossMs);
    m_health.setTimerType(Qt::VeryCoarseTimer);
    connect(&m_health, &QTimer::timeout, this, &BusLink::checkStillUp);
}

BusLink::~BusLink()
{
    if (m_bus)
        QDBusConnection::disconnectFromBus(m_bus->name());
}

void BusLink::want()
{
    checkStillUp();
    if (!m_bus && !m_trying && !m_retry.isActive())
        attempt();
}

std::optional<QDBusConnection> BusLink::connection() const
{
    if (m_bus && m_bus->isConnected())
        return m_bus;
    return std::nullopt;
}

QString BusLink::whyNot() const
{
    const QString why = m_ended > 0       ? m_why
                        : m_why.isEmpty() ? QStringLiteral("no answer yet")
                                          : m_why + QStringLiteral("; connecting again");
    return QStringLiteral("the %1 bus at \"%2\": %3").arg(m_name, m_address, why);
}

void BusLink::attempt()
{
    if (m_address.isEmpty()) {
        m_why = QStringLiteral("no address is set");
        ++m_ended;
        if (onAttemptEnded)
            onAttemptEnded();
        return;
    }
    m_trying = true;
    const QString connectionName = QStringLiteral("tamsverolind-%1-%2").arg(m_name).arg(++m_attempts);
    const int within = m_attempts == 1 ? m_firstAnswerWithinMs : answerWithinMs;
    QPointer<BusLink> self(this);
    std::thread([self, address = m_address, connectionName, within] {
        const BusLook look = lookAtBus(address.toStdString(), within);
        QString why =
            look.reach == BusReach::Silent ? QStringLiteral("it does not answer") : QString::fromStdString(look.why);
        std::optional<QDBusConnection> bus;
        if (look.reach == BusReach::Answers) {
            bus = QDBusConnection::connectToBus(address, connectionName);
            if (!bus->isConnected()) {
                why = bus->lastError().message();
                QDBusConnection::disconnectFromBus(connectionName);
                bus.reset();
            }
        }
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, bus, why] {
                if (self)
                    self->attemptEnded(bus, why);
                else if (bus)
                    QDBusConnection::disconnectFromBus(bus->name());
            },
            Qt::QueuedConnection);
    }).detach();
}

void BusLink::attemptEnded(const std::optional<QDBusConnection> &bus, const QString &why)
{
    m_trying = false;
    ++m_ended;
    if (bus) {
        m_bus = bus;
        m_pauseMs = 0;
        m_health.start();
        if (onConnected)
            onConnected(*bus);
    } else {
        m_why = why;
        m_pauseMs = nextPauseMs(m_pauseMs);
        m_retry.start(m_pauseMs);
    }
    if (onAttemptEnded)
        onAttemptEnded();
}

int BusLink::nextPauseMs(int pauseMs)
{
    return pauseMs == 0 ? firstPauseMs : std::min(2 * pauseMs, longestPauseMs);
}

void BusLink::checkStillUp()
{
    if (!m_bus || m_bus->isConnected())
        return;
    QDBusConnection::disconnectFromBus(m_bus->name());
    m_bus.reset();
    m_health.stop();
    m_why = QStringLiteral("the connection was lost");
    m_ended = 0;
    // Trying before telling: a user that wants the link again from onLost starts no second attempt.
    attempt();
    if (onLost)
        onLost();
}
