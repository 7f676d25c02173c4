#pragma once

#include <optional>
#include <string>

// The program's links name a browser that most systems lack; there the address is taken
// out of the command line and opened with the system's default handler.

// The address that follows the (quoted) browser path and its blank; nothing for any other
// command line.
std::optional<std::string> addressOfCommandLine(const std::string &commandLine);

// A "mailto:" address as it is; a bare host and path as an https address, since a
// default handler would take a bare host for a file.
std::string urlOfAddress(const std::string &address);
