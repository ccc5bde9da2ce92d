#include "settings/TnsNamesReader.h"

#include <sstream>
#include <unistd.h>

#include "platform/RegularFile.h"
#include "platform/UnixOracleHomeLookup.h"
#include "settings/TnsNamesParser.h"

namespace settings {

namespace {

// Large sites keep thousands of entries; anything past this is no such file.
constexpr std::size_t kMaxTnsNamesBytes = std::size_t{64} << 20;

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
    std::string text;
    if (platform::ReadRegularFile(path, kMaxTnsNamesBytes, text) != platform::FileRead::Read)
        return;
    TnsNamesParser parser;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line))
        parser.AddLine(line);
    m_arrNames = parser.Names();
}

TnsNamesReader::~TnsNamesReader() = default;

}  // namespace settings
