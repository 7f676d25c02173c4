#pragma once

#include <QString>
#include <QUrl>

#include <optional>

// Where the program's links expect a browser; on systems without it the address is
// taken out of the command line and opened with the system's default handler.
inline constexpr char16_t browserPath[] = u"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE";

// The address that follows the browser path and its blank; nothing for any other command line.
std::optional<QString> addressOfCommandLine(const QString &commandLine);

// A "mailto:" address as it is; a bare host and path as an https address, since a
// default handler would take a bare host for a file.
QUrl urlOfAddress(const QString &address);
