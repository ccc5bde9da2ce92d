#pragma once

// The round trips of each statement, for tests and measurements: when the
// environment variable OCIPG_ROUND_TRIPS names a file, every statement
// appends a line "<round trips> <text>" to it when it is executed again,
// prepared again or freed.

#include <string_view>

namespace ocipg {

void LogRoundTrips(unsigned trips, std::string_view statement);

}  // namespace ocipg
