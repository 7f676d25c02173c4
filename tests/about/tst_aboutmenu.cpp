#include "about/AboutMenu.h"
#include "about/Links.h"
#include "platform/BrowserCommand.h"
#include "support/FakeForm.h"
#include "support/FakePlatform.h"
#include "support/PrivateBuses.h"
#include "window/Form1.h"

#include <QAction>
#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QTest>

// Receives the addresses the desktop would be asked to open, so no real handler starts.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened.append(url); }
};

class TestAboutMenu : public QObject {
    Q_OBJECT
private slots:
    void onlyTheRightButtonOpensTheMenu_data();
    void onlyTheRightButtonOpensTheMenu();
    void captionsInOrder();
    void linkItemsStartTheBrowserCommandLines_data();
    void linkItemsStartTheBrowserCommandLines();
    void failedLinkNamesTheAddress();
    void surfacesThatOpenTheMenu_data();
    void surfacesThatOpenTheMenu();
    void linksOpenThroughTheDesktopHandlers();
    void commandLineAddresses_data();
    void commandLineAddresses();
};

void TestAboutMenu::onlyTheRightButtonOpensTheMenu_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("popUps");
    QTest::newRow("right") << 2 << 3;
    QTest::newRow("left") << 1 << 0;
    QTest::newRow("middle") << 4 << 0;
    QTest::newRow("right with left") << 3 << 0;
}

void TestAboutMenu::onlyTheRightButtonOpensTheMenu()
{
    QFETCH(int, button);
    QFETCH(int, popUps);
    FakeForm form;
    FakePlatform platform;
    AboutHandlers about(form, platform);
    const auto code = static_cast<std::int16_t>(button);
    about.Form_MouseDown(code, 0, 10.0f, 10.0f);
    about.Frame2_MouseDown(code, 1, 10.0f, 10.0f);
    about.Label1_MouseDown(code, 2, 10.0f, 10.0f);
    QCOMPARE(form.popUps, popUps);
}

void TestAboutMenu::captionsInOrder()
{
    const QStringList captions = aboutCaptions();
    QCOMPARE(captions.size(), 5);
    QCOMPARE(captions[0], QStringLiteral("Tamsverolind 1.00.0008"));
    QVERIFY(!captions[1].isEmpty());
    QCOMPARE(captions[2], QStringLiteral("-"));
    QCOMPARE(captions[3], QStringLiteral("E-MAIL : tamsverolind@example.org"));
    QCOMPARE(captions[4], QStringLiteral("URL : www.example.org/tamsverolind"));
    QWidget parent;
    QMenu *menu = buildAboutMenu(&parent, [](std::int16_t) {});
    const QList<QAction *> items = menu->actions();
    QCOMPARE(items.size(), 5);
    QVERIFY(items[2]->isSeparator());
    QCOMPARE(items[4]->text(), captions[4]);
}

void TestAboutMenu::linkItemsStartTheBrowserCommandLines_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("commandLine");
    const QString browser = QStringLiteral("C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE");
    QTest::newRow("0") << 0 << QString();
    QTest::newRow("1") << 1 << QString();
    QTest::newRow("2") << 2 << QString();
    QTest::newRow("3") << 3 << browser + QStringLiteral(" mailto:tamsverolind@example.org");
    QTest::newRow("4") << 4 << browser + QStringLiteral(" www.example.org/tamsverolind");
    QTest::newRow("5") << 5 << QString();
    QTest::newRow("-1") << -1 << QString();
}

void TestAboutMenu::linkItemsStartTheBrowserCommandLines()
{
    QFETCH(int, index);
    QFETCH(QString, commandLine);
    FakeForm form;
    FakePlatform platform;
    AboutHandlers about(form, platform);
    about.mnusubAbout_Click(static_cast<std::int16_t>(index));
    if (commandLine.isEmpty()) {
        QVERIFY(platform.programStarts.isEmpty());
        return;
    }
    QCOMPARE(platform.programStarts.size(), 1);
    QCOMPARE(platform.programStarts[0].commandLine, commandLine);
    QCOMPARE(platform.programStarts[0].windowStyle, 3);
    QVERIFY(form.linkFailures.isEmpty());
}

void TestAboutMenu::failedLinkNamesTheAddress()
{
    FakeForm form;
    FakePlatform platform;
    platform.programsStart = false;
    AboutHandlers about(form, platform);
    about.mnusubAbout_Click(homePageItem);
    about.mnusubAbout_Click(mailItem);
    QCOMPARE(form.linkFailures,
             (QStringList{QStringLiteral("www.example.org/tamsverolind"), QStringLiteral("tamsverolind@example.org")}));

    // In the window: a message that does not block it, with the address to copy.
    Form1 window(platform);
    window.load();
    window.about().mnusubAbout_Click(mailItem);
    auto *message = window.findChild<QMessageBox *>(QStringLiteral("linkFailure"));
    QVERIFY(message);
    QVERIFY(message->text().contains(QStringLiteral("tamsverolind@example.org")));
    QVERIFY(!message->isModal() || message->windowModality() != Qt::ApplicationModal);
    QVERIFY(window.timer().isActive());
}

void TestAboutMenu::surfacesThatOpenTheMenu_data()
{
    QTest::addColumn<QString>("surface");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("opens");
    QTest::newRow("clock label, right") << "Label1" << QPoint(20, 20) << int(Qt::RightButton) << true;
    QTest::newRow("clock label, left") << "Label1" << QPoint(20, 20) << int(Qt::LeftButton) << false;
    QTest::newRow("Action frame, right") << "Frame2" << QPoint(140, 130) << int(Qt::RightButton) << true;
    QTest::newRow("window background, right") << "Form1" << QPoint(3, 260) << int(Qt::RightButton) << true;
    QTest::newRow("Now frame border, right") << "Frame1" << QPoint(3, 92) << int(Qt::RightButton) << false;
    QTest::newRow("Ok button, right") << "Command1" << QPoint(5, 5) << int(Qt::RightButton) << false;
    QTest::newRow("option, right") << "Option1" << QPoint(5, 5) << int(Qt::RightButton) << false;
}

void TestAboutMenu::surfacesThatOpenTheMenu()
{
    QFETCH(QString, surface);
    QFETCH(QPoint, at);
    QFETCH(int, button);
    QFETCH(bool, opens);
    FakePlatform platform;
    Form1 window(platform);
    window.load();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QWidget *target = surface == u"Form1" ? &window : window.findChild<QWidget *>(surface);
    QVERIFY(target);
    QTest::mousePress(target, static_cast<Qt::MouseButton>(button), {}, at);
    QCOMPARE(window.aboutMenu()->isVisible(), opens);
    window.aboutMenu()->hide();
}

void TestAboutMenu::linksOpenThroughTheDesktopHandlers()
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "open");
    const auto platform = createPlatform();
    FakeForm form;
    AboutHandlers about(form, *platform);
    about.mnusubAbout_Click(mailItem);
    about.mnusubAbout_Click(homePageItem);
    about.mnusubAbout_Click(1);
    QCOMPARE(catcher.opened, (QList<QUrl>{QUrl(QStringLiteral("mailto:tamsverolind@example.org")),
                                          QUrl(QStringLiteral("https://www.example.org/tamsverolind"))}));
    QVERIFY(form.linkFailures.isEmpty());
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
}

void TestAboutMenu::commandLineAddresses_data()
{
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<QString>("url");
    QTest::newRow("mail") << links::mailCommandLine() << "mailto:tamsverolind@example.org";
    QTest::newRow("home page") << links::homePageCommandLine() << "https://www.example.org/tamsverolind";
    QTest::newRow("another program") << "C:\\Windows\\notepad.exe www.example.org"
                                     << "";
    QTest::newRow("browser alone") << QString::fromUtf16(browserPath) << "";
    QTest::newRow("browser and blank") << QString::fromUtf16(browserPath) + QStringLiteral(" ") << "";
}

void TestAboutMenu::commandLineAddresses()
{
    QFETCH(QString, commandLine);
    QFETCH(QString, url);
    const auto address = addressOfCommandLine(commandLine);
    QCOMPARE(address.has_value(), !url.isEmpty());
    if (address)
        QCOMPARE(urlOfAddress(*address).toString(), url);
}

int main(int argc, char *argv[])
{
    const PrivateBuses buses; // the Linux platform connects to the buses it would end the session on
    QApplication app(argc, argv);
    TestAboutMenu test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_aboutmenu.moc"
