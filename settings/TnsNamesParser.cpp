#include "settings/TnsNamesParser.h"

namespace settings {

namespace {

constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";

}  // namespace

void TnsNamesParser::AddLine(std::string_view line)
{
    // Bytes below 0x40 are never the second byte of a double-byte character
    // in the multibyte character sets of this system, so white space,
    // parentheses, '#' and '=' can be matched byte by byte.
    const std::size_t nBegin = line.find_first_not_of(kWhiteSpace);
    if (nBegin == std::string_view::npos)
        return;
    line = line.substr(nBegin, line.find_last_not_of(kWhiteSpace) - nBegin + 1);
    if (line.front() == '#')
        return;

    m_strPending.append(line);
    for (char c : line) {
        if (c == '(')
            ++m_nOpening;
        else if (c == ')')
            ++m_nClosing;
    }
    if (m_nOpening != m_nClosing || m_nOpening == 0)
        return;

    std::string_view name(m_strPending);
    const std::size_t nEqual = name.find('=');
    name = nEqual == std::string_view::npos ? std::string_view() : name.substr(0, nEqual);
    const std::size_t nLast = name.find_last_not_of(kWhiteSpace);
    name = nLast == std::string_view::npos ? std::string_view() : name.substr(0, nLast + 1);
    m_arrNames.emplace_back(name);
    m_strPending.clear();
    m_nOpening = 0;
    m_nClosing = 0;
}

}  // namespace settings
