#pragma once

#include "platform/BrowserCommand.h"

#include <QString>

// The maker's addresses, kept in this one place until real ones exist.
namespace links {

inline constexpr char16_t creditLine[] = u"Written by the Tamsverolind authors";
inline constexpr char16_t emailAddress[] = u"tamsverolind@example.org";
// A bare host and path, as the browser's command line takes it.
inline constexpr char16_t homePage[] = u"www.example.org/tamsverolind";

// The browser the command lines name, on the systems that have it.
using ::browserPath;

// The browser path directly followed by " mailto:" and the e-mail address.
QString mailCommandLine();
// The browser path directly followed by a blank and the home page.
QString homePageCommandLine();

} // namespace links
