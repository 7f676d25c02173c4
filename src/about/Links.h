#pragma once

#include <string>
#include <string_view>

// The maker's addresses, kept in this one place until real ones exist.
namespace links {

inline constexpr std::string_view creditLine = "Written by the Tamsverolind authors";
inline constexpr std::string_view emailAddress = "tamsverolind@example.org";
// A bare host and path, as the browser's command line takes it.
inline constexpr std::string_view homePage = "www.example.org/tamsverolind";

// The browser the command lines name, on the systems that have it.
inline constexpr std::string_view browserPath = R"(C:\Program Files\Internet Explorer\IEXPLORE.EXE)";

// The browser path, quoted, as a command line names it.
std::string quotedBrowserPath();

// The browser path directly followed by " mailto:" and the e-mail address.
std::string mailCommandLine();
// The browser path directly followed by a blank and the home page.
std::string homePageCommandLine();

// The same addresses as a default handler takes them: a bare host would be read as a file.
std::string mailUrl();
std::string homePageUrl();

} // namespace links
