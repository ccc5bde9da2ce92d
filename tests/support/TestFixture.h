#pragma once

// The test cluster as libocipg's tests reach it, and what the program's tests
// add: the library the program loads, the account whose password soon expires.

#include "ocipg/tests/support/TestFixture.h"

#include <string>

namespace testfixture {

using namespace ocitest;

inline const char* OcipgLibrary() { return LUMIDEX_OCIPG_PATH; }

// Makes the password of the fixture's account "warned" expire this long from
// now ("3 days"); the logon then warns with ORA-28002. "" on success.
inline std::string ExpireWarnedIn(const std::string& interval)
{
    return AdminValue("DO $$BEGIN EXECUTE format('ALTER ROLE warned VALID UNTIL %L', now() + interval '" +
                      interval + "'); END$$");
}

}  // namespace testfixture
