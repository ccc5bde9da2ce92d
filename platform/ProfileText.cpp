#include "platform/ProfileText.h"

namespace platform {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

bool IsQuotePair(std::string_view s)
{
    return s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front();
}

// One line of the file and what it is.
struct ProfileLine {
    enum class Kind { Other, Section, Key };
    Kind nKind = Kind::Other;
    std::size_t nBegin = 0;       // first byte of the line
    std::size_t nNext = 0;        // first byte after its line feed (or the text's end)
    std::string_view strName;     // section or key name
    std::size_t nValueBegin = 0;  // key lines: where the value starts in the text
    std::string_view strValue;    // key lines: the value as stored, quotes included
};

class LineReader {
public:
    explicit LineReader(std::string_view text) : m_strText(text) {}

    bool Next(ProfileLine& line)
    {
        if (m_nPos >= m_strText.size())
            return false;
        line = ProfileLine{};
        line.nBegin = m_nPos;
        std::size_t nEnd = m_strText.find('\n', m_nPos);
        if (nEnd == std::string_view::npos) {
            nEnd = m_strText.size();
            line.nNext = nEnd;
        } else {
            line.nNext = nEnd + 1;
        }
        m_nPos = line.nNext;

        std::string_view raw = m_strText.substr(line.nBegin, nEnd - line.nBegin);
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);
        const std::string_view trimmed = TrimBlanks(raw);
        if (trimmed.empty() || trimmed.front() == ';')
            return true;
        if (trimmed.front() == '[') {
            std::string_view name = trimmed.substr(1);
            const std::size_t nClose = name.find(']');
            if (nClose != std::string_view::npos)
                name = name.substr(0, nClose);
            line.nKind = ProfileLine::Kind::Section;
            line.strName = TrimBlanks(name);
            return true;
        }
        const std::size_t nEqual = raw.find('=');
        if (nEqual == std::string_view::npos)
            return true;
        line.nKind = ProfileLine::Kind::Key;
        line.strName = TrimBlanks(raw.substr(0, nEqual));
        std::size_t nValue = nEqual + 1;
        while (nValue < raw.size() && IsBlank(raw[nValue]))
            ++nValue;
        line.nValueBegin = line.nBegin + nValue;
        line.strValue = TrimBlanks(raw.substr(nValue));
        return true;
    }

private:
    std::string_view m_strText;
    std::size_t m_nPos = 0;
};

// Where the key lives: the line of the key, or else where a new key goes.
struct KeyPlace {
    bool bSection = false;
    bool bKey = false;
    ProfileLine keyLine;
    std::size_t nInsertAt = 0;  // end of the section's last key line, or of its header
};

KeyPlace FindKey(std::string_view text, std::string_view section, std::string_view key)
{
    KeyPlace place;
    LineReader reader(text);
    ProfileLine line;
    bool bInside = false;
    while (reader.Next(line)) {
        if (line.nKind == ProfileLine::Kind::Section) {
            if (bInside)
                break;
            if (SameName(line.strName, section)) {
                bInside = true;
                place.bSection = true;
                place.nInsertAt = line.nNext;
            }
        } else if (bInside && line.nKind == ProfileLine::Kind::Key) {
            if (SameName(line.strName, key)) {
                place.bKey = true;
                place.keyLine = line;
                return place;
            }
            place.nInsertAt = line.nNext;
        }
    }
    return place;
}

std::string_view LineBreakOf(std::string_view text)
{
    const std::size_t nFirst = text.find('\n');
    return nFirst != std::string_view::npos && nFirst > 0 && text[nFirst - 1] == '\r' ? "\r\n" : "\n";
}

// A value that reading would change (blanks at its ends, a quote pair) is
// written inside one more pair of quotes.
std::string StoredValue(std::string_view value)
{
    if (IsQuotePair(value) || (!value.empty() && (IsBlank(value.front()) || IsBlank(value.back()))))
        return "\"" + std::string(value) + "\"";
    return std::string(value);
}

bool HasLineBreak(std::string_view s)
{
    return s.find_first_of("\r\n") != std::string_view::npos;
}

bool IsStorableName(std::string_view name)
{
    return !name.empty() && TrimBlanks(name).size() == name.size() && !HasLineBreak(name) &&
           name.front() != '[' && name.front() != ';';
}

}  // namespace

std::optional<std::string> FindProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key)
{
    const KeyPlace place = FindKey(text, section, key);
    if (!place.bKey)
        return std::nullopt;
    std::string_view value = place.keyLine.strValue;
    if (IsQuotePair(value))
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

bool IsStorableProfileEntry(std::string_view section, std::string_view key, std::string_view value)
{
    return IsStorableName(section) && section.find(']') == std::string_view::npos &&
           IsStorableName(key) && key.find('=') == std::string_view::npos && !HasLineBreak(value);
}

std::string WithProfileValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value)
{
    const KeyPlace place = FindKey(text, section, key);
    const std::string_view lineBreak = LineBreakOf(text);
    std::string result;
    result.reserve(text.size() + section.size() + key.size() + value.size() + 8);

    if (place.bKey) {
        const ProfileLine& line = place.keyLine;
        std::size_t nEnd = line.nNext;
        if (nEnd > line.nBegin && text[nEnd - 1] == '\n')
            --nEnd;
        const bool bCarriageReturn = nEnd > line.nBegin && text[nEnd - 1] == '\r';
        result.append(text.substr(0, line.nValueBegin));
        result.append(StoredValue(value));
        if (bCarriageReturn)
            result.push_back('\r');
        result.append(text.substr(nEnd));
        return result;
    }

    std::string entry(key);
    entry += '=';
    entry += StoredValue(value);
    entry += lineBreak;
    if (!place.bSection)
        entry = "[" + std::string(section) + "]" + std::string(lineBreak) + entry;

    const std::size_t nAt = place.bSection ? place.nInsertAt : text.size();
    result.append(text.substr(0, nAt));
    // A last line without its line feed gets one; a lone carriage return at
    // the end is the first half of it.
    if (nAt > 0 && text[nAt - 1] != '\n')
        result.append(text[nAt - 1] == '\r' ? std::string_view("\n") : lineBreak);
    result.append(entry);
    result.append(text.substr(nAt));
    return result;
}

}  // namespace platform
