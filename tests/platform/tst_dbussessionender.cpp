#include "platform/linux/DBusSessionEnder.h"
#include "support/FakeBusService.h"

#include <QElapsedTimer>
#include <QTest>

namespace {

const QByteArray systemBus = "DBUS_SYSTEM_BUS_ADDRESS";
const QByteArray sessionBus = "DBUS_SESSION_BUS_ADDRESS";
const QString logind = QStringLiteral("org.freedesktop.login1");

} // namespace

Q_DECLARE_METATYPE(SessionAction)
Q_DECLARE_METATYPE(FakeBusService::Answer)

// The session ender against fake services on private buses.
class TestDBusSessionEnder : public QObject {
    Q_OBJECT
private slots:
    void exactCallPerServiceAndAction_data()
    {
        QTest::addColumn<QString>("service");
        QTest::addColumn<SessionAction>("action");
        QTest::addColumn<QString>("call"); // path interface.member(signature) arguments
        const auto add = [](const char *service, SessionAction action, const char *call) {
            QTest::addRow("%s %d", service, static_cast<int>(action))
                << QString::fromLatin1(service) << action << QString::fromLatin1(call);
        };
        using enum SessionAction;
        const char *login = "org.freedesktop.login1", *kde = "org.kde.Shutdown", *gnome = "org.gnome.SessionManager",
                   *xfce = "org.xfce.SessionManager";
        add(login, ShutDown, "/org/freedesktop/login1 org.freedesktop.login1.Manager.PowerOff(b) false");
        add(login, Restart, "/org/freedesktop/login1 org.freedesktop.login1.Manager.Reboot(b) false");
        add(login, LogOff, "/org/freedesktop/login1/session/auto org.freedesktop.login1.Session.Terminate() ");
        add(kde, ShutDown, "/Shutdown org.kde.Shutdown.logoutAndShutdown() ");
        add(kde, Restart, "/Shutdown org.kde.Shutdown.logoutAndReboot() ");
        add(kde, LogOff, "/Shutdown org.kde.Shutdown.logout() ");
        add(gnome, ShutDown, "/org/gnome/SessionManager org.gnome.SessionManager.Shutdown() ");
        add(gnome, Restart, "/org/gnome/SessionManager org.gnome.SessionManager.Reboot() ");
        add(gnome, LogOff, "/org/gnome/SessionManager org.gnome.SessionManager.Logout(u) 1");
        add(xfce, ShutDown, "/org/xfce/SessionManager org.xfce.Session.Manager.Shutdown(b) true");
        add(xfce, Restart, "/org/xfce/SessionManager org.xfce.Session.Manager.Restart(b) true");
        add(xfce, LogOff, "/org/xfce/SessionManager org.xfce.Session.Manager.Logout(bb) false,true");
    }
    void exactCallPerServiceAndAction()
    {
        QFETCH(QString, service);
        QFETCH(SessionAction, action);
        QFETCH(QString, call);
        const bool desktop = service != logind;
        FakeBusService fake(desktop ? sessionBus : systemBus, service);
        FakeBusService fallback(systemBus, desktop ? logind : QStringLiteral("org.example.Unused"));
        DBusSessionEnder ender;
        QTRY_VERIFY(ender.connected());
        QTRY_COMPARE(ender.desktopService(), desktop ? service : QString());
        ender.request(action);
        QTRY_COMPARE(fake.calls.size(), 1);
        const QDBusMessage &m = fake.calls.first();
        QStringList arguments;
        for (const QVariant &argument : m.arguments())
            arguments << argument.toString();
        QCOMPARE(QStringLiteral("%1 %2.%3(%4) %5")
                     .arg(m.path(), m.interface(), m.member(), m.signature(), arguments.join(QLatin1Char(','))),
                 call);
        QVERIFY(fallback.calls.isEmpty());
    }

    void sessionManagerComingAndGoing()
    {
        FakeBusService fallback(systemBus, logind, FakeBusService::Answer::AccessDenied);
        DBusSessionEnder ender;
        QTRY_VERIFY(ender.connected());
        QTest::qWait(50);
        {
            FakeBusService manager(sessionBus, QStringLiteral("org.xfce.SessionManager"),
                                   FakeBusService::Answer::AccessDenied);
            QTRY_COMPARE(ender.desktopService(), QStringLiteral("org.xfce.SessionManager"));
            ender.request(SessionAction::Restart);
            QTRY_COMPARE(manager.calls.size(), 1);
            QVERIFY(ender.waitForAnswers(1000));
        }
        QTRY_COMPARE(ender.desktopService(), QString());
        ender.request(SessionAction::Restart); // refused before, so asked again, of logind now
        QTRY_COMPARE(fallback.calls.size(), 1);
    }

    void askedAgainOnlyAfterARefusal_data()
    {
        QTest::addColumn<FakeBusService::Answer>("answer");
        QTest::addColumn<int>("callsBeforeArming");
        QTest::newRow("refused: asked at every tick") << FakeBusService::Answer::AccessDenied << 3;
        QTest::newRow("accepted: held until armed anew") << FakeBusService::Answer::Reply << 1;
        QTest::newRow("no answer: never a refusal") << FakeBusService::Answer::Never << 1;
    }
    void askedAgainOnlyAfterARefusal()
    {
        QFETCH(FakeBusService::Answer, answer);
        QFETCH(int, callsBeforeArming);
        FakeBusService service(sessionBus, QStringLiteral("org.gnome.SessionManager"), answer);
        DBusSessionEnder ender;
        QTRY_VERIFY(ender.connected());
        QTRY_VERIFY(!ender.desktopService().isEmpty());
        qint64 waited = 0; // in the requests themselves: a tick must never wait for an answer
        for (int tick = 0; tick < 3; ++tick) {
            QElapsedTimer clock;
            clock.start();
            ender.request(SessionAction::ShutDown);
            waited += clock.elapsed();
            QTest::qWait(100);
        }
        QCOMPARE(service.calls.size(), callsBeforeArming);
        QVERIFY(waited < 50);
        ender.allowAnotherRequest();
        ender.request(SessionAction::ShutDown);
        QTest::qWait(100);
        // A request still unanswered holds the next one even after arming anew.
        QCOMPARE(service.calls.size(), callsBeforeArming + (answer == FakeBusService::Answer::Never ? 0 : 1));
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
