#include "browser/ObjectStatements.h"

#include "browser/CatalogQueryTable.h"

namespace browser {

namespace {

struct ObjectName {
    std::string_view strOwner;  // empty when the label names no owner
    std::string_view strName;
};

ObjectName SplitLabel(std::string_view scope, std::string_view label)
{
    if (scope != kScopeAll)
        return {{}, label};
    const std::size_t nDot = label.find('.');
    if (nDot == std::string_view::npos)
        return {{}, label};
    return {label.substr(0, nDot), label.substr(nDot + 1)};
}

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
        const bool bPlain = (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
                            c == '$' || c == '#';
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

std::string TableColumnsStatement(std::string_view scope, std::string_view label)
{
    const ObjectName object = SplitLabel(scope, label);
    std::string statement = "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = " + Literal(object.strName);
    if (!object.strOwner.empty())
        statement += " AND OWNER = " + Literal(object.strOwner);
    return statement;
}

std::string TableDataStatement(std::string_view scope, std::string_view label)
{
    const ObjectName object = SplitLabel(scope, label);
    std::string statement = "SELECT * FROM ";
    if (!object.strOwner.empty())
        statement += Identifier(object.strOwner) + ".";
    statement += Identifier(object.strName);
    return statement;
}

}  // namespace browser
