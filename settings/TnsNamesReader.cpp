#include "settings/TnsNamesReader.h"

#include <fstream>
#include <unistd.h>

#include "platform/UnixOracleHomeLookup.h"
#include "settings/TnsNamesParser.h"

namespace settings {

namespace {

// The first candidate that exists, else the last one.
std::string ChosenPath(const std::vector<std::string>& candidates)
{
    for (const std::string& path : candidates) {
        if (access(path.c_str(), F_OK) == 0)
            return path;
    }
    return candidates.empty() ? std::string() : candidates.back();
}

}  // namespace

TnsNamesReader::TnsNamesReader() : TnsNamesReader(platform::UnixOracleHomeLookup()) {}

TnsNamesReader::TnsNamesReader(const platform::OracleHomeLookup& lookup)
{
    const std::string path = ChosenPath(lookup.TnsNamesCandidates());
    std::ifstream file(path);
    if (!file)
        return;
    TnsNamesParser parser;
    std::string line;
    while (std::getline(file, line))
        parser.AddLine(line);
    m_arrNames = parser.Names();
}

TnsNamesReader::~TnsNamesReader() = default;

}  // namespace settings
