#include "oracle/ClientEnvironment.h"

#include "oracle/NlsLang.h"

#include <cstdlib>

void SetClientEnvironmentDefaults()
{
    SetDefaultNlsLang();
    // The newest clients add a line with a help address to every error, which
    // the one-line message would run into the error's own text.
    setenv("ORA_SUPPRESS_ERROR_URL", "TRUE", 0);
}
