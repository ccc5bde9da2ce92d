#include "ocipg/RoundTripLog.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace ocipg {

void LogRoundTrips(unsigned trips, std::string_view statement)
{
    const char* path = std::getenv("OCIPG_ROUND_TRIPS");
    if (!path || !*path)
        return;
    // One line per statement, whatever its text holds.
    std::string line = std::to_string(trips) + " ";
    for (char c : statement)
        line += c == '\n' || c == '\r' || c == '\t' ? ' ' : c;
    line += '\n';
    if (std::FILE* file = std::fopen(path, "a")) {
        std::fwrite(line.data(), 1, line.size(), file);
        std::fclose(file);
    }
}

}  // namespace ocipg
