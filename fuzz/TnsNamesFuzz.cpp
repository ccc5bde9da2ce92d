// The tnsnames.ora parse on arbitrary file contents.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/TnsNamesParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    settings::TnsNamesParser parser;
    std::size_t nLines = 0;
    while (!text.empty()) {
        const std::size_t nEnd = text.find('\n');
        parser.AddLine(text.substr(0, nEnd));
        ++nLines;
        text.remove_prefix(nEnd == std::string_view::npos ? text.size() : nEnd + 1);
    }
    // An entry ends on a line of its own: never more names than lines.
    if (parser.Names().size() > nLines)
        std::abort();
    return 0;
}
