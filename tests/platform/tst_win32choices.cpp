#include "platform/windows/Win32Session.h"

#include <QTest>

// What the Windows backend asks of ExitWindowsEx for each action, checked here on Linux.
class TestWin32Choices : public QObject {
    Q_OBJECT
private slots:
    void flagsAndPrivilege_data();
    void flagsAndPrivilege();
};

Q_DECLARE_METATYPE(SessionAction)

void TestWin32Choices::flagsAndPrivilege_data()
{
    QTest::addColumn<SessionAction>("action");
    QTest::addColumn<unsigned>("flags");
    QTest::addColumn<bool>("privilege");
    QTest::newRow("Shut Down: EWX_SHUTDOWN") << SessionAction::ShutDown << 1u << true;
    QTest::newRow("Restart: EWX_REBOOT") << SessionAction::Restart << 2u << true;
    QTest::newRow("Log Off: EWX_LOGOFF") << SessionAction::LogOff << 0u << false;
}

void TestWin32Choices::flagsAndPrivilege()
{
    QFETCH(SessionAction, action);
    QFETCH(unsigned, flags);
    QFETCH(bool, privilege);
    QCOMPARE(win32::exitFlags(action), flags);
    // Without the shutdown privilege Windows refuses shut down and restart (error 1314).
    QCOMPARE(win32::needsShutdownPrivilege(win32::exitFlags(action)), privilege);
}

QTEST_APPLESS_MAIN(TestWin32Choices)
#include "tst_win32choices.moc"
