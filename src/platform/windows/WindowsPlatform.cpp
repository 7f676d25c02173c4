#include "Win32Session.h"
#include "platform/BrowserCommand.h"
#include "platform/LocaleSeparators.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QLocale>
#include <QWidget>

#include <chrono>

namespace {

class WindowsPlatform final : public Platform {
public:
    QDateTime currentDateTime() const override { return QDateTime::currentDateTime(); }

    std::int64_t monotonicMs() const override
    {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }

    Separators separators() const override { return separatorsOf(QLocale::system()); }

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
