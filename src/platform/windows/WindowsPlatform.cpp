#include "Win32Session.h"
#include "platform/BrowserCommand.h"
#include "platform/SystemClock.h"

#include <QCoreApplication>
#include <QWidget>

namespace {

class WindowsPlatform final : public SystemClockPlatform {
public:
    void setWindowPos(QWidget *window, int insertAfter, std::int32_t flags) override
    {
        if (!window)
            return;
        // Qt keeps its own record of the stay-on-top state; both are set so that Qt does
        // not undo the native request later.
        window->setWindowFlag(Qt::WindowStaysOnTopHint, insertAfter == hwndTopmost);
        win32::setTopmost(reinterpret_cast<void *>(window->winId()), insertAfter, static_cast<unsigned>(flags));
    }

    void exitWindows(SessionAction action) override { win32::exitWindows(win32::exitFlags(action)); }

    void endProgram() override { QCoreApplication::exit(0); }

    bool startProgram(const QString &commandLine, int windowStyle) override
    {
        if (win32::fileExists(reinterpret_cast<const wchar_t *>(QString::fromUtf16(browserPath).utf16())))
            return win32::startProgram(reinterpret_cast<const wchar_t *>(commandLine.utf16()), windowStyle);
        const auto address = addressOfCommandLine(commandLine);
        return address && win32::openWithDefaultHandler(
                              reinterpret_cast<const wchar_t *>(urlOfAddress(*address).toString().utf16()));
    }
};

} // namespace

std::unique_ptr<Platform> createPlatform()
{
    return std::make_unique<WindowsPlatform>();
}

void chooseWindowSystem()
{
}

void forgetWindowSystemChoice()
{
}
