#include "document/StatementText.h"

#include <cctype>

namespace {

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// The words that begin the text, upper case, after blanks and comments.
std::vector<std::string> LeadingWords(std::string_view text, std::size_t count)
{
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size() && words.size() < count) {
        if (IsBlank(text[i])) {
            ++i;
        } else if (text.substr(i, 2) == "--") {
            const std::size_t end = text.find('\n', i);
            i = end == std::string_view::npos ? text.size() : end + 1;
        } else if (text.substr(i, 2) == "/*") {
            const std::size_t end = text.find("*/", i + 2);
            i = end == std::string_view::npos ? text.size() : end + 2;
        } else if (std::isalpha(static_cast<unsigned char>(text[i]))) {
            std::string word;
            while (i < text.size() && (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '_'))
                word.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(text[i++]))));
            words.push_back(word);
        } else {
            break;
        }
    }
    return words;
}

bool EndsWithItsSemicolon(std::string_view text)
{
    const std::vector<std::string> words = LeadingWords(text, 4);
    if (words.empty())
        return false;
    if (words[0] == "BEGIN" || words[0] == "DECLARE")
        return true;
    if (words[0] != "CREATE")
        return false;
    std::size_t unit = 1;
    if (words.size() > 2 && words[1] == "OR" && words[2] == "REPLACE")
        unit = 3;
    if (unit >= words.size())
        return false;
    for (const char* kind : {"PROCEDURE", "FUNCTION", "PACKAGE", "TRIGGER", "TYPE"}) {
        if (words[unit] == kind)
            return true;
    }
    return false;
}

}  // namespace

std::string StatementToRun(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    if (!text.empty() && text.back() == ';' && !EndsWithItsSemicolon(text))
        text.remove_suffix(1);
    return std::string(text);
}

void StatementHistory::Add(const std::string& statement)
{
    if (m_arrStatements.empty() || m_arrStatements.back() != statement)
        m_arrStatements.push_back(statement);
    m_nStep = m_arrStatements.size();
}

bool StatementHistory::Older(std::string& statement)
{
    if (m_nStep == 0)
        return false;
    statement = m_arrStatements[--m_nStep];
    return true;
}

bool StatementHistory::Newer(std::string& statement)
{
    if (m_nStep >= m_arrStatements.size())
        return false;
    ++m_nStep;
    statement = m_nStep < m_arrStatements.size() ? m_arrStatements[m_nStep] : std::string();
    return true;
}
