#include "SystemClock.h"

#include "LocaleSeparators.h"

#include <QLocale>

#include <chrono>

QDateTime SystemClockPlatform::currentDateTime() const
{
    return QDateTime::currentDateTime();
}

std::int64_t SystemClockPlatform::monotonicMs() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

Separators SystemClockPlatform::separators() const
{
    return separatorsOf(QLocale::system());
}
