#include "platform/linux/BusSocket.h"
#include "platform/linux/DBusSessionEnder.h"
#include "platform/linux/DBusSleepHold.h"
#include "platform/qt/QtPlatform.h"
#include "support/FakeBusService.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

const QByteArray systemBus = "DBUS_SYSTEM_BUS_ADDRESS";
const QByteArray sessionBus = "DBUS_SESSION_BUS_ADDRESS";
const QString logind = QStringLiteral("org.freedesktop.login1");
const QString gnome = QStringLiteral("org.gnome.SessionManager");

// A bus daemon of the test's own at a path of its own, started when asked; its address also
// in the environment variable OWN_BUS, where a fake service looks for it.
struct OwnBus {
    QTemporaryDir dir;
    QString address = u"unix:path="_s + dir.filePath(u"bus"_s);
    QProcess daemon;

    OwnBus() { qputenv("OWN_BUS", address.toUtf8()); }
    ~OwnBus() { stop(SIGKILL); }
    bool start()
    {
        daemon.start(u"dbus-daemon"_s, {u"--session"_s, u"--address="_s + address, u"--nofork"_s});
        return daemon.waitForStarted();
    }
    bool stop(int how = SIGTERM)
    {
        if (daemon.state() == QProcess::NotRunning)
            return true; // never a pid of 0: that would be the test's whole process group
        send(SIGCONT);   // a stopped daemon takes it once continued
        send(how);
        return daemon.waitForFinished();
    }
    void send(int signal) { ::kill(static_cast<pid_t>(daemon.processId()), signal); }
    bool listening() const { return QFile::exists(dir.filePath(u"bus"_s)); }
};

} // namespace

// The session ender and the sleep hold against fake services on private buses.
class TestDBusSessionEnder : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // Started by CTest under dbus-run-session: one private bus stands in for both.
        QVERIFY2(qgetenv("DBUS_SYSTEM_BUS_ADDRESS") == qgetenv("DBUS_SESSION_BUS_ADDRESS"),
                 "run through ctest: the system bus must be the test's own private bus");
        // A stand-in xdg-open first on the user's PATH, which ends with the status in its folder.
        QFile opener(m_handlers.filePath(u"xdg-open"_s));
        QVERIFY(opener.open(QIODevice::WriteOnly));
        opener.write("#!/bin/sh\nexit $(cat \"$(dirname \"$0\")/status\")\n");
        opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", m_handlers.path().toUtf8() + ':' + qgetenv("PATH"));
        keepUserEnvironment();
    }

    void aLinkNoHandlerOpensSaysSoOnceTheHandlerHasEnded()
    {
        const auto platform = createPlatform();
        for (const auto &[status, opened] : {std::pair{"3", false}, std::pair{"0", true}}) {
            QFile file(m_handlers.filePath(u"status"_s));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(status) == 1);
            file.close();
            std::optional<bool> told;
            platform->openWithUserHandler("https://www.example.org/tamsverolind", [&told](bool was) { told = was; });
            QVERIFY(!told); // never waited for
            QTRY_VERIFY(told.has_value());
            QCOMPARE(*told, opened);
        }
    }

    void exactCallPerServiceAndActionAndWhatBecameOfIt()
    {
        using enum SessionAction;
        using Reply = FakeBusService::Answer;
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
        // Each answer in turn; one that never answers is awaited, then left as NoReply after
        // the reply time (5 s).
        const std::pair<Reply, Answer> answers[] = {
            {Reply::Reply, Answer::Accepted}, {Reply::AccessDenied, Answer::Refused}, {Reply::Reply, Answer::Accepted},
            {Reply::Reply, Answer::Accepted}, {Reply::Reply, Answer::Accepted},       {Reply::Never, Answer::NoReply}};
        int row = 0;
        for (const auto &[name, action, call] : rows) {
            const auto [reply, outcome] = answers[row++ % 6];
            const QString service = QString::fromLatin1(name);
            const bool desktop = service != logind;
            std::optional<FakeBusService> fake(std::in_place, desktop ? sessionBus : systemBus, service, reply);
            // A session manager that runs is preferred to logind.
            FakeBusService fallback(systemBus, desktop ? logind : QStringLiteral("org.example.Unused"));
            SessionBuses buses;
            DBusSessionEnder ender(buses);
            QCOMPARE(ender.request(action), Delivery::NotSent); // no bus connected yet
            QTRY_VERIFY(ender.connected());
            QTRY_COMPARE(ender.desktopService(), desktop ? service : QString());
            // A request never waits for its answer, and is on the bus at once.
            QElapsedTimer waited;
            waited.start();
            QCOMPARE(ender.request(action), Delivery::Sent);
            QVERIFY(ender.waitForDelivery(1000) && waited.elapsed() < 1000);
            QTRY_COMPARE(fake->calls.value(0), QString::fromLatin1(call));
            QCOMPARE(ender.lastAnswer(), reply == Reply::Never ? Answer::Awaited : ender.lastAnswer());
            QTRY_COMPARE_WITH_TIMEOUT(ender.lastAnswer(), outcome, 7000);
            if (desktop && reply == Reply::Never) { // the manager leaves: logind's bus is wanted
                fake.reset();
                QTRY_VERIFY(ender.desktopService().isEmpty() && ender.connected());
                QCOMPARE(ender.request(action), Delivery::Sent);
                QTRY_COMPARE(fallback.calls.size(), 1);
            }
            QVERIFY(fallback.calls.size() == (desktop && reply == Reply::Never ? 1 : 0));
        }
    }

    void theSleepHoldIsTheDesktopsOwnAndFollowsWhatRuns()
    {
        std::optional<FakeBusService> login(std::in_place, systemBus, logind);
        SessionBuses buses;
        DBusSleepHold hold(buses);
        const QString countDown = QStringLiteral("Restart when the count-down ends"),
                      setTime = QStringLiteral("Shut Down at 08/12/26 23:00:00");
        // No desktop service: logind's sleep lock, held until Cancel, and again at Ok.
        for (int ok = 0; ok < 2; ++ok) {
            hold.hold(countDown);
            QTRY_COMPARE(hold.holder(), logind);
            QCOMPARE(login->calls.value(ok), u"/org/freedesktop/login1 org.freedesktop.login1.Manager.Inhibit(ssss) "
                                             u"sleep,Tamsverolind,Restart when the count-down ends,block"_s);
            QCOMPARE(login->locksHeld(), 1);
            hold.release();
            QTRY_COMPARE(login->locksHeld(), 0);
        }
        // GNOME's session manager comes while armed: the hold moves there (suspend only), and
        // a new reason holds before the old one goes; then Cancel.
        hold.hold(countDown);
        QTRY_COMPARE(login->locksHeld(), 1);
        std::optional<FakeBusService> desktop(std::in_place, sessionBus, gnome);
        QTRY_COMPARE(hold.holder(), gnome);
        QTRY_COMPARE(login->locksHeld(), 0);
        hold.hold(setTime);
        hold.release();
        const QString manager = u"/org/gnome/SessionManager org.gnome.SessionManager."_s;
        QTRY_COMPARE(desktop->calls,
                     QStringList({manager + u"Inhibit(susu) org.example.Tamsverolind,0,"_s + countDown + u",4"_s,
                                  manager + u"Inhibit(susu) org.example.Tamsverolind,0,"_s + setTime + u",4"_s,
                                  manager + u"Uninhibit(u) 1"_s, manager + u"Uninhibit(u) 2"_s}));
        // KDE's or Xfce's power manager in its place.
        desktop.reset();
        desktop.emplace(sessionBus, u"org.freedesktop.PowerManagement"_s);
        hold.hold(countDown);
        QTRY_COMPARE(hold.holder(), u"org.freedesktop.PowerManagement"_s);
        hold.release();
        const QString power = u"/org/freedesktop/PowerManagement/Inhibit org.freedesktop.PowerManagement.Inhibit."_s;
        QTRY_COMPARE(desktop->calls,
                     QStringList({power + u"Inhibit(ss) Tamsverolind,"_s + countDown, power + u"UnInhibit(u) 1"_s}));
        QCOMPARE(login->locksHeld(), 0);
    }

    void theSleepHoldIsTakenWhenItsBusComesLate()
    {
        OwnBus bus;
        SessionBuses buses(QString(), bus.address); // no session bus: logind serves
        DBusSleepHold hold(buses);
        hold.hold(u"Shut Down when the count-down ends"_s);
        QTRY_VERIFY(buses.system().tried());
        QVERIFY(bus.start());
        QTRY_VERIFY_WITH_TIMEOUT(buses.system().connection(), 6000);
        FakeBusService login("OWN_BUS", logind);
        QTRY_COMPARE_WITH_TIMEOUT(hold.holder(), logind, 9000); // logind came after its bus: tried again
        QCOMPARE(login.locksHeld(), 1);
    }

    void aBusWhoseQueueIsFullIsSilentNotAWait()
    {
        // A daemon stopped for hours keeps every probe queued: its listen queue is full. At a
        // path with an escaped comma, and at an abstract name (a NUL byte, then the name).
        const QTemporaryDir dir;
        const std::string path = dir.filePath(u"b,us"_s).toStdString(), abstract = "tamsverolind-test-bus";
        const std::pair<std::string, std::string> addresses[] = {
            {"unix:path=" + path.substr(0, path.size() - 3) + "%2cus", path},
            {"unix:abstract=" + abstract, std::string(1, '\0') + abstract}};
        for (const auto &[text, name] : addresses) {
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            std::memcpy(address.sun_path, name.data(), name.size());
            const auto *place = reinterpret_cast<const sockaddr *>(&address);
            const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + name.size());
            const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
            QVERIFY(::bind(listener, place, length) == 0 && ::listen(listener, 0) == 0);
            std::vector<int> queued;
            for (int fd = -1; queued.size() < 64; queued.push_back(fd)) {
                fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
                if (::connect(fd, place, length) != 0) {
                    ::close(fd);
                    break;
                }
            }
            QElapsedTimer waited;
            waited.start();
            QCOMPARE(lookAtBus(text, 300).reach, BusReach::Silent); // found, and never a wait
            QVERIFY2(waited.elapsed() < 1000, qPrintable(QString::number(waited.elapsed())));
            for (const int fd : queued)
                ::close(fd);
            ::close(listener);
        }
    }

    void aSilentSessionBusHoldsBackFromLogindALateAnswerIsNotTheNewestsALostOneForgetsItsDesktops()
    {
        // A session manager may yet answer on a silent session bus: nothing goes past it to
        // logind meanwhile.
        OwnBus session;
        QVERIFY(session.start());
        QTRY_VERIFY(session.listening());
        session.send(SIGSTOP);
        FakeBusService login(systemBus, logind);
        SessionBuses buses(session.address, QString::fromLocal8Bit(qgetenv(systemBus)));
        DBusSessionEnder ender(buses);
        for (int tick = 0; tick < 3; ++tick, QTest::qWait(500))
            QCOMPARE(ender.request(SessionAction::ShutDown), Delivery::NotSent);
        QVERIFY(login.calls.isEmpty());
        // It answers again, and a session manager comes that answers late.
        session.send(SIGCONT);
        std::optional<FakeBusService> desktop(std::in_place, "OWN_BUS", gnome, FakeBusService::Answer::Never);
        QTRY_COMPARE_WITH_TIMEOUT(ender.desktopService(), gnome, 8000);
        QCOMPARE(ender.request(SessionAction::ShutDown), Delivery::Sent);
        QCOMPARE(ender.request(SessionAction::Restart), Delivery::Sent);
        QTRY_COMPARE(desktop->held.size(), std::size_t{2});
        desktop->answer(1, true);
        QTRY_COMPARE(ender.lastAnswer(), Answer::Accepted);
        desktop->answer(0, false); // the older one's answer comes last
        QTest::qWait(200);
        QCOMPARE(ender.lastAnswer(), Answer::Accepted);
        // The session bus goes (its manager with it, unannounced): that manager no longer takes requests.
        QVERIFY(session.stop(SIGKILL));
        QTRY_VERIFY((buses.session().want(), ender.desktopService().isEmpty()));
        QVERIFY(login.calls.isEmpty());
    }

    void aBusIsConnectedToWhenItComesAndAgainWhenItRestarts()
    {
        OwnBus bus;
        BusLink link(QStringLiteral("system"), bus.address, 1000);
        int lost = 0;
        link.onLost = [&lost] { ++lost; };
        link.want();
        QTRY_VERIFY(link.tried());
        QVERIFY2(!link.connection() && link.whyNot().contains(u"No such file"), qPrintable(link.whyNot()));
        // The pause between attempts grows to 4 s and no further, and is 0 again once connected.
        QCOMPARE(QList<int>({BusLink::nextPauseMs(0), BusLink::nextPauseMs(250), BusLink::nextPauseMs(2000),
                             BusLink::nextPauseMs(4000)}),
                 QList<int>({250, 500, 4000, 4000}));
        for (int start = 0; start < 2; ++start) { // the bus comes; its daemon is restarted
            QVERIFY(bus.start());
            QTRY_VERIFY_WITH_TIMEOUT(link.connection(), 6000);
            QCOMPARE(link.pauseMs(), 0);
            QVERIFY(bus.stop());
            QTRY_VERIFY((link.want(), !link.connection()));
            QCOMPARE(lost, start + 1);
        }
    }

private:
    QTemporaryDir m_handlers;
};

QTEST_GUILESS_MAIN(TestDBusSessionEnder)
#include "tst_dbussessionender.moc"
