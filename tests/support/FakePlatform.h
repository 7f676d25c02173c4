#pragma once

#include "platform/Platform.h"

#include <QList>
#include <QString>

// A clock that moves only when told to, and an operating system that records requests.
class FakePlatform final : public Platform {
public:
    struct WindowPosCall {
        QWidget *window;
        int insertAfter;
        std::int32_t flags;
    };
    struct ProgramStart {
        QString commandLine;
        int windowStyle;
    };

    QDateTime now{QDate(2026, 12, 6), QTime(12, 0, 0)};
    std::int64_t monotonic = 1'000'000;
    Separators localeSeparators;
    bool programsStart = true;

    QList<SessionAction> requests;
    QList<WindowPosCall> windowPosCalls;
    QList<ProgramStart> programStarts;
    int endProgramCalls = 0;

    // Both clocks move on together, as they do while the machine is awake.
    void advanceMs(std::int64_t ms)
    {
        now = now.addMSecs(ms);
        monotonic += ms;
    }

    QDateTime currentDateTime() const override { return now; }
    std::int64_t monotonicMs() const override { return monotonic; }
    Separators separators() const override { return localeSeparators; }
    void setWindowPos(QWidget *window, int insertAfter, std::int32_t flags) override
    {
        windowPosCalls.append({window, insertAfter, flags});
    }
    void exitWindows(SessionAction action) override { requests.append(action); }
    void endProgram() override { ++endProgramCalls; }
    bool startProgram(const QString &commandLine, int windowStyle) override
    {
        programStarts.append({commandLine, windowStyle});
        return programsStart;
    }
};
