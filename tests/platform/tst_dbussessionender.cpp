#include "platform/linux/DBusSessionEnder.h"
#include "support/FakeBusService.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QByteArray systemBus = "DBUS_SYSTEM_BUS_ADDRESS";
const QByteArray sessionBus = "DBUS_SESSION_BUS_ADDRESS";
const QString logind = QStringLiteral("org.freedesktop.login1");
const QString gnome = QStringLiteral("org.gnome.SessionManager");

} // namespace

// The session ender against fake services on a private bus.
class TestDBusSessionEnder : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // Started by CTest under dbus-run-session: one private bus stands in for both.
        QVERIFY2(qgetenv("DBUS_SYSTEM_BUS_ADDRESS") == qgetenv("DBUS_SESSION_BUS_ADDRESS"),
                 "run through ctest: the system bus must be the test's own private bus");
    }

    void exactCallPerServiceAndAction()
    {
        using enum SessionAction;
        const char *login = "org.freedesktop.login1", *kde = "org.kde.Shutdown",
                   *gnomeName = "org.gnome.SessionManager", *xfce = "org.xfce.SessionManager";
        const std::tuple<const char *, SessionAction, const char *> rows[] = {
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
        for (const auto &[name, action, call] : rows) {
            const QString service = QString::fromLatin1(name);
            const bool desktop = service != logind;
            FakeBusService fake(desktop ? sessionBus : systemBus, service);
            // A session manager that runs is preferred to logind.
            FakeBusService fallback(systemBus, desktop ? logind : QStringLiteral("org.example.Unused"));
            DBusSessionEnder ender;
            QTRY_VERIFY(ender.connected());
            QTRY_COMPARE(ender.desktopService(), desktop ? service : QString());
            ender.request(action);
            QTRY_COMPARE(fake.calls.value(0), QString::fromLatin1(call));
            QVERIFY(fallback.calls.isEmpty());
        }
    }

    void whatBecameOfEachRequest()
    {
        using Reply = FakeBusService::Answer;
        // Each answer of a session manager; then logind, once the manager has left. One that
        // never answers is awaited, then left as NoReply after the reply time (5 s).
        const std::pair<Reply, Answer> rows[] = {
            {Reply::AccessDenied, Answer::Refused}, {Reply::Never, Answer::NoReply}, {Reply::Reply, Answer::Accepted}};
        for (const auto &[answer, outcome] : rows) {
            FakeBusService fallback(systemBus, logind);
            std::optional<FakeBusService> manager(std::in_place, sessionBus, gnome, answer);
            DBusSessionEnder ender;
            QCOMPARE(ender.request(SessionAction::ShutDown), Delivery::NotSent); // no bus connected yet
            QTRY_VERIFY(ender.connected());
            // A tick never waits for an answer: one that waited for the reply timeout (5 s) shows here.
            QElapsedTimer waited;
            waited.start();
            QCOMPARE(ender.request(SessionAction::ShutDown), Delivery::Sent);
            QVERIFY(waited.elapsed() < 1000);
            QTRY_COMPARE(manager->calls.size(), 1);
            if (answer == Reply::Never)
                QCOMPARE(ender.lastAnswer(), Answer::Awaited);
            QTRY_COMPARE_WITH_TIMEOUT(ender.lastAnswer(), outcome, 7000);
            manager.reset();
            QTRY_VERIFY(ender.desktopService().isEmpty());
            QTRY_VERIFY(ender.connected()); // logind's bus, wanted once the manager left
            QCOMPARE(ender.request(SessionAction::Restart), Delivery::Sent);
            QTRY_COMPARE(fallback.calls.size(), 1);
        }
    }

    void aBusIsConnectedToWhenItComesAndAgainWhenItRestarts()
    {
        const QTemporaryDir dir;
        const QString address = QStringLiteral("unix:path=%1/bus").arg(dir.path());
        BusLink link(QStringLiteral("system"), address, 1000);
        int lost = 0;
        link.onLost = [&lost] { ++lost; };
        link.want();
        QTRY_VERIFY(link.tried());
        QVERIFY2(!link.connection() && link.whyNot().contains(u"No such file"), qPrintable(link.whyNot()));
        for (int start = 0; start < 2; ++start) { // the bus comes; its daemon is restarted
            QProcess daemon;
            daemon.start(QStringLiteral("dbus-daemon"), {u"--session"_s, u"--address="_s + address, u"--nofork"_s});
            QTRY_VERIFY_WITH_TIMEOUT(link.connection(), 6000); // the pause between attempts reaches 4 s
            daemon.terminate();
            QVERIFY(daemon.waitForFinished());
            QTRY_VERIFY((link.want(), !link.connection()));
            QCOMPARE(lost, start + 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestDBusSessionEnder)
#include "tst_dbussessionender.moc"
