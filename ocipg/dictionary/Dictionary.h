#pragma once

#include <string>
#include <string_view>

namespace ocipg {

// The Oracle data dictionary of one session (USER_, ALL_ and DBA_ views,
// DUAL), made from PostgreSQL's catalogs without installing anything in the
// database. The connection runs the SQL these functions give on its own
// PostgreSQL session, before the statement it concerns.
class Dictionary {
public:
    // dbaViews: whether the session may read the DBA_ views (a superuser).
    explicit Dictionary(bool dbaViews) : m_bDbaViews(dbaViews) {}

    // SQL to run once right after logon; empty when there is nothing to run.
    std::string SetupSql();

    // SQL to run before the statement so that the dictionary views it names
    // exist; empty when there is nothing to run.
    std::string PrepareFor(std::string_view statement);

    // The text to prepare in place of a query: Oracle's dictionary column
    // DEFERRABLE is a reserved word in PostgreSQL, so a query gets it quoted.
    // Any other statement, and every other word, stays as it is.
    static std::string RewriteQuery(std::string_view statement);

private:
    bool m_bDbaViews;
};

}  // namespace ocipg
