// The statement lexer and what the library makes of its tokens, on arbitrary
// bytes: the tokens cover the text without gap; the server text reads as the
// same tokens, each placeholder one parameter, numbered 1, 2, ... in order;
// the dictionary's rewrite turns words into quoted names and nothing else.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "ocipg/SqlLexer.h"
#include "ocipg/SqlText.h"
#include "ocipg/dictionary/Dictionary.h"

namespace {

using ocipg::SqlToken;
using ocipg::SqlTokenKind;

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

std::vector<SqlToken> CheckedTokens(std::string_view text)
{
    std::vector<SqlToken> tokens = ocipg::LexSql(text);
    size_t end = 0;
    for (const SqlToken& token : tokens) {
        Require(token.m_nOffset == end && token.m_nLength > 0);
        end += token.m_nLength;
    }
    Require(end == text.size());
    return tokens;
}

// The rewrite may add a blank.
std::vector<SqlToken> WithoutBlanks(const std::vector<SqlToken>& tokens)
{
    std::vector<SqlToken> kept;
    for (const SqlToken& token : tokens)
        if (token.m_kind != SqlTokenKind::Blank)
            kept.push_back(token);
    return kept;
}

bool SameToken(std::string_view a, const SqlToken& ta, std::string_view b, const SqlToken& tb)
{
    return ta.m_kind == tb.m_kind && ocipg::TokenText(a, ta) == ocipg::TokenText(b, tb);
}

void CheckServerText(std::string_view text, const std::vector<SqlToken>& tokens, const ocipg::SqlText& sql)
{
    const std::string& server = sql.m_strServerText;
    const std::vector<SqlToken> served = CheckedTokens(server);
    size_t i = 0;
    int placeholders = 0;
    for (const SqlToken& token : served) {
        Require(i < tokens.size());
        if (token.m_kind == SqlTokenKind::Parameter) {
            Require(ocipg::TokenText(server, token) == "$" + std::to_string(++placeholders));
            Require(i + 1 < tokens.size() && ocipg::TokenText(text, tokens[i]) == ":" &&
                    tokens[i + 1].m_kind != SqlTokenKind::Blank && tokens[i + 1].m_kind != SqlTokenKind::Comment);
            i += 2;
        } else {
            Require(SameToken(text, tokens[i], server, token));
            ++i;
        }
    }
    Require(i == tokens.size() && placeholders == sql.m_nPlaceholders);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<SqlToken> tokens = CheckedTokens(text);

    const ocipg::SqlText sql = ocipg::ScanSql(text);
    if (sql.m_nRefusal == 0)
        CheckServerText(text, tokens, sql);

    ocipg::Dictionary(true).PrepareFor(text);
    const std::string rewritten = ocipg::Dictionary::RewriteQuery(text);
    const std::vector<SqlToken> before = WithoutBlanks(tokens);
    const std::vector<SqlToken> after = WithoutBlanks(CheckedTokens(rewritten));
    Require(after.size() == before.size());
    for (size_t i = 0; i < before.size(); ++i) {
        Require(SameToken(text, before[i], rewritten, after[i]) ||
                (before[i].m_kind == SqlTokenKind::Word && after[i].m_kind == SqlTokenKind::QuotedName));
    }
    return 0;
}
