#pragma once

#include <string>

namespace platform {

// The character set of the current LC_CTYPE locale, as nl_langinfo(CODESET)
// names it ("UTF-8", "ISO-8859-1", "ANSI_X3.4-1968" under the C locale).
// Every 8-bit text of the core is in this character set; the program selects
// the user's locale at start-up.
std::string LocaleCharset();

}  // namespace platform
