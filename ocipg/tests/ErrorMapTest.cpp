// PostgreSQL's errors as Oracle's, by SQLSTATE: the README's table, and
// where PostgreSQL's message is kept.
#include "ocipg/Errors.h"

#include <gtest/gtest.h>

namespace {

TEST(ErrorMap, SqlStateToOracleError)
{
    const struct {
        const char* m_szState;
        const char* m_szMessage;
        const char* m_szText;
    } cases[] = {
        {"55P03", "could not obtain lock on row in relation \"t\"",
         "ORA-00054: resource busy and acquire with NOWAIT specified or timeout expired\n"
         "PostgreSQL: could not obtain lock on row in relation \"t\"\n"},
        {"40P01", "deadlock detected", "ORA-00060: deadlock detected while waiting for resource\n"},
        {"42601", "syntax error at end of input", "ORA-00933: SQL command not properly ended\n"
                                                  "PostgreSQL: syntax error at end of input\n"},
        {"42703", "column \"Mixed\" does not exist", "ORA-00904: \"Mixed\": invalid identifier\n"
                                                     "PostgreSQL: column \"Mixed\" does not exist\n"},
        {"42703", "column e.first_nam does not exist", "ORA-00904: \"E\".\"FIRST_NAM\": invalid identifier\n"
                                                       "PostgreSQL: column e.first_nam does not exist\n"},
        {"42702", "x", "ORA-00918: column ambiguously defined\nPostgreSQL: x\n"},
        {"42P01", "relation \"nope\" does not exist", "ORA-00942: table or view does not exist\n"
                                                      "PostgreSQL: relation \"nope\" does not exist\n"},
        {"42P07", "x", "ORA-00955: name is already used by an existing object\nPostgreSQL: x\n"},
        {"42710", "x", "ORA-00955: name is already used by an existing object\nPostgreSQL: x\n"},
        {"57014", "x", "ORA-01013: user requested cancel of current operation\nPostgreSQL: x\n"},
        {"28P01", "x", "ORA-01017: invalid username/password; logon denied\nPostgreSQL: x\n"},
        {"28000", "x", "ORA-01017: invalid username/password; logon denied\nPostgreSQL: x\n"},
        {"42501", "x", "ORA-01031: insufficient privileges\nPostgreSQL: x\n"},
        {"57P03", "x", "ORA-01033: ORACLE initialization or shutdown in progress\nPostgreSQL: x\n"},
        {"22001", "x", "ORA-01401: inserted value too large for column\nPostgreSQL: x\n"},
        {"22003", "x", "ORA-01438: value larger than specified precision allowed for this column\nPostgreSQL: x\n"},
        {"22012", "division by zero", "ORA-01476: divisor is equal to zero\n"},
        {"22P02", "x", "ORA-01722: invalid number\nPostgreSQL: x\n"},
        {"22007", "x", "ORA-01861: literal does not match format string\nPostgreSQL: x\n"},
        {"57P01", "x", "ORA-03113: end-of-file on communication channel\nPostgreSQL: x\n"},
        {"57P02", "x", "ORA-03113: end-of-file on communication channel\nPostgreSQL: x\n"},
        {"08006", "x", "ORA-03113: end-of-file on communication channel\nPostgreSQL: x\n"},
        {"40001", "x", "ORA-08177: can't serialize access for this transaction\nPostgreSQL: x\n"},
        {"3D000", "database \"nodb\" does not exist",
         "ORA-12514: TNS:listener does not currently know of service requested in connect descriptor\n"
         "PostgreSQL: database \"nodb\" does not exist\n"},
        {"0A000", "not supported\n",
         "ORA-28500: connection from ORACLE to a non-Oracle system returned this message:\n"
         "PostgreSQL: not supported\n"},
        {"", "no SQLSTATE",
         "ORA-28500: connection from ORACLE to a non-Oracle system returned this message:\n"
         "PostgreSQL: no SQLSTATE\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.m_szState);
        ocipg::ErrorRecord error;
        ocipg::SetFromSqlState(error, c.m_szState, c.m_szMessage);
        EXPECT_EQ(error.m_nCode, std::stoi(std::string(c.m_szText).substr(4, 5)));
        EXPECT_EQ(error.m_strText, c.m_szText);
    }
}

}  // namespace
