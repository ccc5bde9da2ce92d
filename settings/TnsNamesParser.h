#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

// The names of the entries of a tnsnames.ora, in the order the entries end.
// Lines are fed one by one, without their line terminator. An entry is the
// text of its lines (trimmed, blank and '#' lines left out) joined without a
// separator until as many ')' as '(' have been seen; its name is the text
// before the first '=', trimmed at the end (empty without '='). Names are
// kept as they stand: no case change, no check of form, duplicates kept.
class TnsNamesParser {
public:
    void AddLine(std::string_view line);

    // An entry still open at the end is dropped.
    const std::vector<std::string>& Names() const { return m_arrNames; }

private:
    std::string m_strPending;
    std::int64_t m_nOpening = 0;
    std::int64_t m_nClosing = 0;
    std::vector<std::string> m_arrNames;
};

}  // namespace settings
