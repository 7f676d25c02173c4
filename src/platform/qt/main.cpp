#include "MainWindow.h"
#include "QtPlatform.h"
#include "Version.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    chooseWindowSystem();
    QApplication app(argc, argv);
    forgetWindowSystemChoice();
    QApplication::setApplicationName(QStringLiteral(TAMSVEROLIND_NAME));
    QApplication::setApplicationVersion(QStringLiteral(TAMSVEROLIND_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Tamsverolind"));

    const auto platform = createPlatform();
    int exitCode = 0;
    {
        MainWindow window(*platform);
        window.load();
        window.show();
        exitCode = QApplication::exec();
    } // the window and its timer are gone here: no handler runs after this point
    platform->finish();
    return exitCode;
}
