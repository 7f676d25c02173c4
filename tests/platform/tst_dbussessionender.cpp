#include "platform/linux/DBusSessionEnder.h"
#include "support/FakeBusService.h"

#include <QElapsedTimer>
#include <QTest>

namespace {

const QByteArray systemBus = "DBUS_SYSTEM_BUS_ADDRESS";
const QByteArray sessionBus = "DBUS_SESSION_BUS_ADDRESS";
const QString logind = QStringLiteral("org.freedesktop.login1");
const QString gnome = QStringLiteral("org.gnome.SessionManager");

// Path interface.member(signature) arguments of the one call a fake received.
QString callOf(const FakeBusService &fake)
{
    const QDBusMessage &m = fake.calls.value(0);
    QStringList arguments;
    for (const QVariant &argument : m.arguments())
        arguments << argument.toString();
    return QStringLiteral("%1 %2.%3(%4) %5")
        .arg(m.path(), m.interface(), m.member(), m.signature(), arguments.join(QLatin1Char(',')));
}

} // namespace

// The session ender against fake services on a private bus.
class TestDBusSessionEnder : public QObject {
    Q_OBJECT
private slots:
    void exactCallPerServiceAndAction()
    {
        using enum SessionAction;
        const char *login = "org.freedesktop.login1", *kde = "org.kde.Shutdown",
                   *gnomeName = "org.gnome.SessionManager", *xfce = "org.xfce.SessionManager";
        const struct {
            const char *service;
            SessionAction action;
            const char *call;
        } rows[] = {
            {login, ShutDown, "/org/freedesktop/login1 org.freedesktop.login1.Manager.PowerOff(b) false"},
            {login, Restart, "/org/freedesktop/login1 org.freedesktop.login1.Manager.Reboot(b) false"},
            {login, LogOff, "/org/freedesktop/login1/session/auto org.freedesktop.login1.Session.Terminate() "},
            {kde, ShutDown, "/Shutdown org.kde.Shutdown.logoutAndShutdown() "},
            {kde, Restart, "/Shutdown org.kde.Shutdown.logoutAndReboot() "},
            {kde, LogOff, "/Shutdown org.kde.Shutdown.logout() "},
            {gnomeName, ShutDown, "/org/gnome/SessionManager org.gnome.SessionManager.Shutdown() "},
            {gnomeName, Restart, "/org/gnome/SessionManager org.gnome.SessionManager.Reboot() "},
            {gnomeName, LogOff, "/org/gnome/SessionManager org.gnome.SessionManager.Logout(u) 1"},
            {xfce, ShutDown, "/org/xfce/SessionManager org.xfce.Session.Manager.Shutdown(b) true"},
            {xfce, Restart, "/org/xfce/SessionManager org.xfce.Session.Manager.Restart(b) true"},
            {xfce, LogOff, "/org/xfce/SessionManager org.xfce.Session.Manager.Logout(bb) false,true"},
        };
        for (const auto &row : rows) {
            const QString service = QString::fromLatin1(row.service);
            const bool desktop = service != logind;
            FakeBusService fake(desktop ? sessionBus : systemBus, service);
            // A session manager that runs is preferred to logind.
            FakeBusService fallback(systemBus, desktop ? logind : QStringLiteral("org.example.Unused"));
            DBusSessionEnder ender;
            QTRY_VERIFY(ender.connected());
            QTRY_COMPARE(ender.desktopService(), desktop ? service : QString());
            ender.request(row.action);
            QTRY_COMPARE(callOf(fake), QString::fromLatin1(row.call));
            QVERIFY(fallback.calls.isEmpty());
        }
    }

    void sessionManagerComingAndGoing()
    {
        FakeBusService fallback(systemBus, logind, FakeBusService::Answer::AccessDenied);
        DBusSessionEnder ender;
        QTRY_VERIFY(ender.connected());
        {
            FakeBusService manager(sessionBus, gnome, FakeBusService::Answer::AccessDenied);
            QTRY_COMPARE(ender.desktopService(), gnome);
            ender.request(SessionAction::Restart);
            QTRY_COMPARE(manager.calls.size(), 1);
            QVERIFY(ender.waitForAnswers(1000));
        }
        QTRY_COMPARE(ender.desktopService(), QString());
        ender.request(SessionAction::Restart); // refused before, so asked again, of logind now
        QTRY_COMPARE(fallback.calls.size(), 1);
    }

    void askedAgainOnlyAfterARefusal()
    {
        using Answer = FakeBusService::Answer;
        // Calls received for three ticks, then for one more after arming anew: an answered
        // request holds the next until then, an unanswered one even after it.
        const std::tuple<Answer, int, int> rows[] = {
            {Answer::AccessDenied, 3, 4}, {Answer::Reply, 1, 2}, {Answer::Never, 1, 1}};
        for (const auto &[answer, beforeArming, afterArming] : rows) {
            FakeBusService service(sessionBus, gnome, answer);
            DBusSessionEnder ender;
            QTRY_VERIFY(!ender.desktopService().isEmpty() && ender.connected());
            qint64 waited = 0; // in the requests themselves: a tick never waits for an answer
            for (int tick = 0; tick < 3; ++tick) {
                QElapsedTimer clock;
                clock.start();
                ender.request(SessionAction::ShutDown);
                waited += clock.elapsed();
                QTest::qWait(100);
            }
            QCOMPARE(service.calls.size(), beforeArming);
            QVERIFY(waited < 50);
            ender.allowAnotherRequest();
            ender.request(SessionAction::ShutDown);
            QTest::qWait(100);
            QCOMPARE(service.calls.size(), afterArming);
        }
    }
};

int main(int argc, char *argv[])
{
    // Started by CTest under dbus-run-session: one private bus stands in for both.
    if (qgetenv("DBUS_SYSTEM_BUS_ADDRESS") != qgetenv("DBUS_SESSION_BUS_ADDRESS"))
        qFatal("run through ctest: the system bus must be the test's own private bus");
    QCoreApplication app(argc, argv);
    TestDBusSessionEnder test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_dbussessionender.moc"
