#include "platform/Platform.h"

#include <QTest>

// The X11 platform is preferred (Wayland lets no window keep itself on top), but a choice
// the user made stands, and programs started later see the user's environment again.
class TestWindowSystemChoice : public QObject {
    Q_OBJECT
private slots:
    void choosesXcbFirstAndForgetsIt();
    void userChoiceStands();
};

void TestWindowSystemChoice::choosesXcbFirstAndForgetsIt()
{
    qunsetenv("QT_QPA_PLATFORM");
    qunsetenv("QT_XCB_NO_MITSHM");
    chooseWindowSystem();
    QCOMPARE(qgetenv("QT_QPA_PLATFORM"), QByteArray("xcb;wayland"));
    QCOMPARE(qgetenv("QT_XCB_NO_MITSHM"), QByteArray("1"));
    forgetWindowSystemChoice();
    QVERIFY(!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"));
    QVERIFY(!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"));
}

void TestWindowSystemChoice::userChoiceStands()
{
    qputenv("QT_QPA_PLATFORM", "wayland");
    chooseWindowSystem();
    QCOMPARE(qgetenv("QT_QPA_PLATFORM"), QByteArray("wayland"));
    forgetWindowSystemChoice();
    QCOMPARE(qgetenv("QT_QPA_PLATFORM"), QByteArray("wayland"));
}

QTEST_APPLESS_MAIN(TestWindowSystemChoice)
#include "tst_windowsystemchoice.moc"
