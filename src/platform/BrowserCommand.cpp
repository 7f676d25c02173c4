#include "BrowserCommand.h"

std::optional<QString> addressOfCommandLine(const QString &commandLine)
{
    const QString prefix = QString::fromUtf16(browserPath) + QLatin1Char(' ');
    if (!commandLine.startsWith(prefix, Qt::CaseInsensitive))
        return std::nullopt;
    QString address = commandLine.mid(prefix.size()).trimmed();
    if (address.isEmpty())
        return std::nullopt;
    return address;
}

QUrl urlOfAddress(const QString &address)
{
    if (address.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive))
        return QUrl(address, QUrl::StrictMode);
    return QUrl(QStringLiteral("https://") + address, QUrl::StrictMode);
}
