#include "browser/ObjectStatements.h"

namespace browser {

namespace {

std::string Literal(std::string_view text)
{
    std::string literal;
    literal.reserve(text.size() + 2);
    literal += '\'';
    for (char c : text) {
        literal += c;
        if (c == '\'')
            literal += '\'';
    }
    literal += '\'';
    return literal;
}

bool IsPlainIdentifier(std::string_view name)
{
    if (name.empty() || name.front() < 'A' || name.front() > 'Z')
        return false;
    for (char c : name) {
        // Oracle takes "$" and "#" unquoted as well, but quoted an upper-case
        // name means the same to it, and no reader on the way can take "#"
        // for an operator.
        const bool bPlain = (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        if (!bPlain)
            return false;
    }
    return true;
}

std::string Identifier(std::string_view name)
{
    if (IsPlainIdentifier(name))
        return std::string(name);
    std::string quoted;
    quoted.reserve(name.size() + 2);
    quoted += '"';
    for (char c : name) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    quoted += '"';
    return quoted;
}

}  // namespace

std::string TableColumnsStatement(std::string_view owner, std::string_view name)
{
    std::string statement = "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = " + Literal(name);
    if (!owner.empty())
        statement += " AND OWNER = " + Literal(owner);
    return statement;
}

std::string TableDataStatement(std::string_view owner, std::string_view name)
{
    std::string statement = "SELECT * FROM ";
    if (!owner.empty())
        statement += Identifier(owner) + ".";
    statement += Identifier(name);
    return statement;
}

}  // namespace browser
