#include "platform/linux/DBusSessionEnder.h"
#include "support/FakeBusService.h"
#include "support/PrivateBuses.h"

#include <QElapsedTimer>
#include <QTest>

#include <memory>

namespace {

const QByteArray systemBus = "DBUS_SYSTEM_BUS_ADDRESS";
const QByteArray sessionBus = "DBUS_SESSION_BUS_ADDRESS";
const QString logind = QStringLiteral("org.freedesktop.login1");

} // namespace

Q_DECLARE_METATYPE(SessionAction)

class TestDBusSessionEnder : public QObject {
    Q_OBJECT
private slots:
    void logindWhenNoSessionManagerRuns_data();
    void logindWhenNoSessionManagerRuns();
    void sessionManagerFirst_data();
    void sessionManagerFirst();
    void sessionManagerStartingLaterIsUsed();
    void refusedRequestIsMadeAgain();
    void silentOrAbsentServiceNeverBlocks_data();
    void silentOrAbsentServiceNeverBlocks();
    void logOffIsReceivedBeforeTheProgramEnds();
};

void TestDBusSessionEnder::logindWhenNoSessionManagerRuns_data()
{
    QTest::addColumn<SessionAction>("action");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("interface");
    QTest::addColumn<QString>("member");
    QTest::addColumn<QString>("signature");
    const QString manager = QStringLiteral("org.freedesktop.login1.Manager");
    QTest::newRow("Shut Down") << SessionAction::ShutDown << "/org/freedesktop/login1" << manager << "PowerOff"
                               << "b";
    QTest::newRow("Restart") << SessionAction::Restart << "/org/freedesktop/login1" << manager << "Reboot"
                             << "b";
    QTest::newRow("Log Off") << SessionAction::LogOff << "/org/freedesktop/login1/session/auto"
                             << "org.freedesktop.login1.Session"
                             << "Terminate"
                             << "";
}

void TestDBusSessionEnder::logindWhenNoSessionManagerRuns()
{
    QFETCH(SessionAction, action);
    QFETCH(QString, path);
    QFETCH(QString, interface);
    QFETCH(QString, member);
    QFETCH(QString, signature);
    FakeBusService service(systemBus, logind);
    DBusSessionEnder ender;
    QTest::qWait(50); // the questions about running session managers are answered
    QCOMPARE(ender.desktopService(), QString());
    ender.request(action);
    QTRY_COMPARE(service.calls.size(), 1);
    const QDBusMessage &call = service.calls.first();
    QCOMPARE(call.path(), path);
    QCOMPARE(call.interface(), interface);
    QCOMPARE(call.member(), member);
    QCOMPARE(call.signature(), signature);
    if (!signature.isEmpty())
        QCOMPARE(call.arguments().first().toBool(), false); // not interactive
}

void TestDBusSessionEnder::sessionManagerFirst_data()
{
    QTest::addColumn<QString>("service");
    QTest::addColumn<SessionAction>("action");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("interface");
    QTest::addColumn<QString>("member");
    QTest::addColumn<QVariantList>("arguments");
    QTest::addColumn<QString>("signature");
    const QString kde = QStringLiteral("org.kde.Shutdown");
    const QString gnome = QStringLiteral("org.gnome.SessionManager");
    const QString xfce = QStringLiteral("org.xfce.SessionManager");
    const QString xfceInterface = QStringLiteral("org.xfce.Session.Manager");
    const QString kdePath = QStringLiteral("/Shutdown");
    const QString gnomePath = QStringLiteral("/org/gnome/SessionManager");
    const QString xfcePath = QStringLiteral("/org/xfce/SessionManager");
    QTest::newRow("KDE shut down") << kde << SessionAction::ShutDown << kdePath << kde << "logoutAndShutdown"
                                   << QVariantList{} << "";
    QTest::newRow("KDE restart") << kde << SessionAction::Restart << kdePath << kde << "logoutAndReboot"
                                 << QVariantList{} << "";
    QTest::newRow("KDE log off") << kde << SessionAction::LogOff << kdePath << kde << "logout" << QVariantList{} << "";
    QTest::newRow("GNOME shut down") << gnome << SessionAction::ShutDown << gnomePath << gnome << "Shutdown"
                                     << QVariantList{} << "";
    QTest::newRow("GNOME restart") << gnome << SessionAction::Restart << gnomePath << gnome << "Reboot"
                                   << QVariantList{} << "";
    QTest::newRow("GNOME log off") << gnome << SessionAction::LogOff << gnomePath << gnome << "Logout"
                                   << QVariantList{1u} << "u";
    QTest::newRow("Xfce shut down") << xfce << SessionAction::ShutDown << xfcePath << xfceInterface << "Shutdown"
                                    << QVariantList{true} << "b";
    QTest::newRow("Xfce restart") << xfce << SessionAction::Restart << xfcePath << xfceInterface << "Restart"
                                  << QVariantList{true} << "b";
    QTest::newRow("Xfce log off") << xfce << SessionAction::LogOff << xfcePath << xfceInterface << "Logout"
                                  << QVariantList{false, true} << "bb";
}

void TestDBusSessionEnder::sessionManagerFirst()
{
    QFETCH(QString, service);
    QFETCH(SessionAction, action);
    QFETCH(QString, path);
    QFETCH(QString, interface);
    QFETCH(QString, member);
    QFETCH(QVariantList, arguments);
    QFETCH(QString, signature);
    FakeBusService manager(sessionBus, service);
    FakeBusService fallback(systemBus, logind);
    DBusSessionEnder ender;
    QTRY_COMPARE(ender.desktopService(), service);
    ender.request(action);
    QTRY_COMPARE(manager.calls.size(), 1);
    const QDBusMessage &call = manager.calls.first();
    QCOMPARE(call.path(), path);
    QCOMPARE(call.interface(), interface);
    QCOMPARE(call.member(), member);
    QCOMPARE(call.signature(), signature);
    QCOMPARE(call.arguments(), arguments);
    QTest::qWait(20);
    QVERIFY(fallback.calls.isEmpty());
}

void TestDBusSessionEnder::sessionManagerStartingLaterIsUsed()
{
    FakeBusService fallback(systemBus, logind);
    DBusSessionEnder ender;
    QTest::qWait(50);
    {
        FakeBusService manager(sessionBus, QStringLiteral("org.xfce.SessionManager"));
        QTRY_COMPARE(ender.desktopService(), QStringLiteral("org.xfce.SessionManager"));
        ender.request(SessionAction::Restart);
        QTRY_COMPARE(manager.calls.size(), 1);
    }
    // Once it has gone, logind serves again.
    QTRY_COMPARE(ender.desktopService(), QString());
    ender.request(SessionAction::Restart);
    QTRY_COMPARE(fallback.calls.size(), 1);
}

void TestDBusSessionEnder::refusedRequestIsMadeAgain()
{
    FakeBusService service(systemBus, logind, FakeBusService::Answer::AccessDenied);
    DBusSessionEnder ender;
    ender.request(SessionAction::ShutDown);
    QTRY_COMPARE(service.calls.size(), 1);
    QVERIFY(ender.waitForAnswers(1000));
    ender.request(SessionAction::ShutDown);
    QTRY_COMPARE(service.calls.size(), 2);
}

void TestDBusSessionEnder::silentOrAbsentServiceNeverBlocks_data()
{
    QTest::addColumn<bool>("present");
    QTest::newRow("never answers") << true;
    QTest::newRow("absent") << false;
}

void TestDBusSessionEnder::silentOrAbsentServiceNeverBlocks()
{
    QFETCH(bool, present);
    std::unique_ptr<FakeBusService> service;
    if (present)
        service = std::make_unique<FakeBusService>(systemBus, logind, FakeBusService::Answer::Never);
    DBusSessionEnder ender;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 10; ++i)
        ender.request(SessionAction::ShutDown);
    QVERIFY2(clock.elapsed() < 50, qPrintable(QStringLiteral("ten requests took %1 ms").arg(clock.elapsed())));
    if (present) {
        QTRY_COMPARE(service->calls.size(), 10);
        QVERIFY(!ender.waitForAnswers(100)); // gives up after the time it was given
    } else {
        QVERIFY(ender.waitForAnswers(1000)); // the bus answers at once: no such service
    }
}

void TestDBusSessionEnder::logOffIsReceivedBeforeTheProgramEnds()
{
    FakeBusService service(systemBus, logind);
    {
        DBusSessionEnder ender;
        ender.request(SessionAction::LogOff);
        QVERIFY(ender.waitForAnswers(1000));
    }
    QCOMPARE(service.calls.size(), 1);
    QCOMPARE(service.calls.first().member(), QStringLiteral("Terminate"));
}

int main(int argc, char *argv[])
{
    const PrivateBuses buses; // before anything connects
    QCoreApplication app(argc, argv);
    TestDBusSessionEnder test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_dbussessionender.moc"
