#include "platform/linux/DBusSessionEnder.h"
#include "support/FakeBusService.h"

#include <QElapsedTimer>
#include <QTest>

#include <optional>

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

    void askedAgainOnlyAfterARefusal()
    {
        using Answer = FakeBusService::Answer;
        // Calls received for three ticks, then for one more after arming anew: an answered
        // request holds the next until then, an unanswered one even after it. Then the
        // session manager leaves, and logind is asked in its place, if the request was refused.
        const std::tuple<Answer, int, int, int> rows[] = {
            {Answer::AccessDenied, 3, 4, 1}, {Answer::Reply, 1, 2, 0}, {Answer::Never, 1, 1, 0}};
        for (const auto &[answer, beforeArming, afterArming, ofLogind] : rows) {
            FakeBusService fallback(systemBus, logind);
            std::optional<FakeBusService> manager(std::in_place, sessionBus, gnome, answer);
            DBusSessionEnder ender;
            QTRY_VERIFY(!ender.desktopService().isEmpty() && ender.connected());
            // A tick never waits for an answer: a request that blocked until the reply
            // timeout (5 s) would show here.
            QElapsedTimer waited;
            const auto tick = [&] {
                waited.start();
                ender.request(SessionAction::ShutDown);
                QVERIFY(waited.elapsed() < 1000);
                QTest::qWait(100);
            };
            for (int i = 0; i < 3; ++i)
                tick();
            QCOMPARE(manager->calls.size(), beforeArming);
            ender.allowAnotherRequest();
            tick();
            QCOMPARE(manager->calls.size(), afterArming);
            manager.reset();
            QTRY_VERIFY(ender.desktopService().isEmpty());
            tick();
            QCOMPARE(fallback.calls.size(), ofLogind);
        }
    }
};

QTEST_GUILESS_MAIN(TestDBusSessionEnder)
#include "tst_dbussessionender.moc"
