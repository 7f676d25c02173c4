#include "BrowserCommand.h"

#include "about/Links.h"

#include <algorithm>
#include <cctype>

namespace {

bool startsWithNoCase(const std::string &text, const std::string &prefix)
{
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](unsigned char a, unsigned char b) { return std::tolower(a) == std::tolower(b); });
}

} // namespace

std::optional<std::string> addressOfCommandLine(const std::string &commandLine)
{
    const std::string prefix = links::quotedBrowserPath() + " ";
    if (!startsWithNoCase(commandLine, prefix))
        return std::nullopt;
    const auto first = commandLine.find_first_not_of(' ', prefix.size());
    if (first == std::string::npos)
        return std::nullopt;
    return commandLine.substr(first, commandLine.find_last_not_of(' ') + 1 - first);
}

std::string urlOfAddress(const std::string &address)
{
    if (startsWithNoCase(address, "mailto:"))
        return address;
    return "https://" + address;
}
