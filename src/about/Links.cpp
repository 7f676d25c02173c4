#include "Links.h"

namespace links {

std::string quotedBrowserPath()
{
    // Quoted: unquoted, Windows would first try to run "C:\Program" with the rest as its arguments.
    return "\"" + std::string(browserPath) + "\"";
}

std::string mailCommandLine()
{
    return quotedBrowserPath() + " mailto:" + std::string(emailAddress);
}

std::string homePageCommandLine()
{
    return quotedBrowserPath() + " " + std::string(homePage);
}

std::string mailUrl()
{
    return "mailto:" + std::string(emailAddress);
}

std::string homePageUrl()
{
    return "https://" + std::string(homePage);
}

} // namespace links
