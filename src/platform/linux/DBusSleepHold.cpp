#include "DBusSleepHold.h"

#include <QDBusArgument>
#include <QDBusPendingCallWatcher>

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

const QString gnome = QStringLiteral("org.gnome.SessionManager");
const QString powerManagement = QStringLiteral("org.freedesktop.PowerManagement");
const QString logind = QStringLiteral("org.freedesktop.login1");
const QString program = QStringLiteral("Tamsverolind");
constexpr int replyTimeoutMs = 5000;
constexpr int firstRetryMs = 1000;
constexpr int longestRetryMs = 60'000;

QDBusMessage call(const QString &service, const QString &path, const QString &interface, const QString &method,
                  const QVariantList &arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    return message;
}

} // namespace

QString DBusSleepHold::name(Service service)
{
    return service == Service::Gnome ? gnome : service == Service::Logind ? logind : powerManagement;
}

DBusSleepHold::DBusSleepHold(SessionBuses &buses, QObject *parent) : QObject(parent), m_buses(buses)
{
    m_buses.watch({gnome, powerManagement});
    m_buses.onChange([this] { renew(); });
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &DBusSleepHold::renew);
}

DBusSleepHold::~DBusSleepHold()
{
    release();
}

void DBusSleepHold::hold(const QString &reason)
{
    m_reason = reason;
    renew();
}

void DBusSleepHold::release()
{
    m_reason.reset();
    m_taking.reset();
    m_retry.stop();
    m_retry.setInterval(0);
    m_lastWhyNot.clear();
    if (m_held)
        letGo(*std::exchange(m_held, std::nullopt));
}

QString DBusSleepHold::holder() const
{
    return m_held ? name(m_held->service) : QString();
}

DBusSleepHold::Service DBusSleepHold::serving() const
{
    // Until the session bus has told, a desktop service may yet hold: nothing is taken past it.
    if (!m_buses.sessionKnown())
        return Service::None;
    return m_buses.runs(gnome)             ? Service::Gnome
           : m_buses.runs(powerManagement) ? Service::PowerManagement
                                           : Service::Logind;
}

void DBusSleepHold::renew()
{
    const Service service = serving();
    if (!m_reason || service == Service::None)
        return;
    BusLink &link = service == Service::Logind ? m_buses.system() : m_buses.session();
    link.want();
    auto bus = link.connection();
    if (!bus) {
        if (link.tried())
            cannotHold(link.whyNot());
        return;
    }
    const auto there = [&](const std::optional<Held> &held) {
        return held && held->service == service && held->connection == bus->name() && held->reason == *m_reason;
    };
    if (!there(m_held) && !there(m_taking))
        take(service, *bus);
}

void DBusSleepHold::take(Service service, QDBusConnection &bus)
{
    const QString &reason = *m_reason;
    const QDBusMessage message =
        service == Service::Gnome
            ? call(gnome, QStringLiteral("/org/gnome/SessionManager"), gnome, QStringLiteral("Inhibit"),
                   {QStringLiteral("org.example.Tamsverolind"), QVariant::fromValue(m_window), reason,
                    QVariant::fromValue(4U)}) // suspend only
        : service == Service::PowerManagement
            ? call(powerManagement, QStringLiteral("/org/freedesktop/PowerManagement/Inhibit"),
                   QStringLiteral("org.freedesktop.PowerManagement.Inhibit"), QStringLiteral("Inhibit"),
                   {program, reason})
            : call(logind, QStringLiteral("/org/freedesktop/login1"), QStringLiteral("org.freedesktop.login1.Manager"),
                   QStringLiteral("Inhibit"), {QStringLiteral("sleep"), program, reason, QStringLiteral("block")});
    m_taking = Held{service, bus.name(), reason, 0, {}};
    const int attempt = ++m_attempts;
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(message, replyTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, attempt, held = *m_taking](QDBusPendingCallWatcher *answer) {
                answer->deleteLater();
                taken(attempt, held, answer->reply());
            });
}

void DBusSleepHold::taken(int attempt, Held held, const QDBusMessage &answer)
{
    const bool latest = attempt == m_attempts && m_taking;
    if (latest)
        m_taking.reset();
    const QVariant value = answer.arguments().value(0);
    if (held.service == Service::Logind)
        held.lock = qdbus_cast<QDBusUnixFileDescriptor>(value);
    else
        held.cookie = value.toUInt();
    const bool holds = held.service == Service::Logind ? held.lock.isValid() : answer.signature() == u"u";
    if (!holds) {
        if (latest)
            cannotHold(answer.type() == QDBusMessage::ErrorMessage
                           ? answer.errorName() + QStringLiteral(": ") + answer.errorMessage()
                           : QStringLiteral("%1 answered \"%2\"").arg(name(held.service), answer.signature()));
        return;
    }
    if (!latest) { // a newer attempt, or release, came first: let go at once
        letGo(held);
        return;
    }
    if (m_held)
        letGo(*m_held);
    m_held = std::move(held);
    m_lastWhyNot.clear();
    m_retry.setInterval(0);
}

void DBusSleepHold::letGo(const Held &held)
{
    // logind's lock closes with the last copy of its descriptor.
    if (held.service == Service::Logind)
        return;
    QDBusConnection bus(held.connection);
    if (!bus.isConnected())
        return; // the service let go when the connection went
    bus.send(held.service == Service::Gnome
                 ? call(gnome, QStringLiteral("/org/gnome/SessionManager"), gnome, QStringLiteral("Uninhibit"),
                        {QVariant::fromValue(held.cookie)})
                 : call(powerManagement, QStringLiteral("/org/freedesktop/PowerManagement/Inhibit"),
                        QStringLiteral("org.freedesktop.PowerManagement.Inhibit"), QStringLiteral("UnInhibit"),
                        {QVariant::fromValue(held.cookie)}));
}

void DBusSleepHold::cannotHold(const QString &why)
{
    if (!m_retry.isActive())
        m_retry.start(std::clamp(2 * m_retry.interval(), firstRetryMs, longestRetryMs));
    if (why == m_lastWhyNot)
        return;
    m_lastWhyNot = why;
    std::fprintf(stderr, "Tamsverolind: the machine cannot be kept awake while armed: %s.\n", qUtf8Printable(why));
}
