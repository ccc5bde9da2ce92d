#include "platform/LocaleCharset.h"

#include <langinfo.h>

namespace platform {

std::string LocaleCharset()
{
    const char* codeset = nl_langinfo(CODESET);
    return codeset ? codeset : "";
}

}  // namespace platform
