#include "MainWindow.h"
#include "QtPlatform.h"
#include "Version.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    keepUserEnvironment();
    if (const auto missing = chooseWindowSystem()) {
        std::fprintf(stderr, "%s\n", missing->c_str());
        return 1;
    }
    leaveOutHungSessionBus();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral(TAMSVEROLIND_NAME));
    QApplication::setApplicationVersion(QStringLiteral(TAMSVEROLIND_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Tamsverolind"));

    const auto platform = createPlatform();
    int exitCode = 0;
    {
        MainWindow window(*platform);
        window.load();
        window.show();
        platform->windowShown(window.winId());
        exitCode = QApplication::exec();
    } // the window and its timer are gone here: no handler runs after this point
    platform->finish();
    // Qt's D-Bus thread may still be waiting on a bus that never answers, and Qt's exit
    // would wait for it: the program keeps nothing that needs tidying, so it leaves at once.
    std::fflush(nullptr);
    std::_Exit(exitCode);
}
