#include "Form1.h"
#include "Version.h"
#include "platform/Platform.h"

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
        Form1 form(*platform);
        form.load();
        form.show();
        exitCode = QApplication::exec();
    } // the window and its timer are gone here: no handler runs after this point
    platform->finish();
    return exitCode;
}
