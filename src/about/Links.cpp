#include "Links.h"

namespace links {

QString mailCommandLine()
{
    return QString::fromUtf16(browserPath) + QStringLiteral(" mailto:") + QString::fromUtf16(emailAddress);
}

QString homePageCommandLine()
{
    return QString::fromUtf16(browserPath) + QLatin1Char(' ') + QString::fromUtf16(homePage);
}

} // namespace links
