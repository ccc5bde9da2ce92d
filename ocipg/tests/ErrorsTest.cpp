// Error records: PostgreSQL's errors as Oracle's by SQLSTATE, and exceptions stopped at the C boundary.
#include "ocipg/CallGuard.h"
#include "ocipg/Errors.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <vector>

namespace {

// The README's table applied: the server's message kept as a second line unless it adds nothing, names filled in.
TEST(ErrorMap, SqlStateToOracleError)
{
    const std::string foreign = "ORA-28500: connection from ORACLE to a non-Oracle system returned this message:";
    const struct {
        const char* m_szState;
        std::string m_strMessage;
        std::string m_strFirstLine;
        bool m_bKept;  // the message as the second line
    } cases[] = {
        {"55P03", "x", "ORA-00054: resource busy and acquire with NOWAIT specified or timeout expired", true},
        {"40P01", "deadlock detected", "ORA-00060: deadlock detected while waiting for resource", false},
        {"42703", "column \"Mixed\" does not exist", "ORA-00904: \"Mixed\": invalid identifier", true},
        {"42703", "column e.first_nam does not exist", "ORA-00904: \"E\".\"FIRST_NAM\": invalid identifier", true},
        {"0A000", "not supported\n", foreign, true},
        {"", "no SQLSTATE", foreign, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.m_szState);
        ocipg::ErrorRecord error;
        ocipg::SetFromSqlState(error, c.m_szState, c.m_strMessage.c_str());
        EXPECT_EQ(error.m_nCode, std::stoi(c.m_strFirstLine.substr(4, 5)));
        const std::string kept = "PostgreSQL: " + c.m_strMessage.substr(0, c.m_strMessage.find('\n')) + "\n";
        EXPECT_EQ(error.m_strText, c.m_strFirstLine + "\n" + (c.m_bKept ? kept : ""));
    }
}

// The C boundary's guard: an exception inside an entry point becomes OCI_ERROR with a record.
TEST(CallGuard, ExceptionsBecomeOciErrorWithARecord)
{
    const struct {
        std::function<sword()> m_work;
        sword m_nStatus;
        std::string m_strText;  // the record's text begins so
    } cases[] = {
        {[]() -> sword { throw std::bad_alloc(); }, OCI_ERROR, "ORA-21501: program could not allocate memory\n"},
        {[] { return static_cast<sword>(std::vector<char>().at(3)); }, OCI_ERROR,
         "ORA-21500: internal error code, arguments: [vector::_M_range_check"},
        {[]() -> sword { throw 42; }, OCI_ERROR,
         "ORA-21500: internal error code, arguments: [], [], [], [], [], [], [], []\n"},
        {[] { return OCI_NO_DATA; }, OCI_NO_DATA, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.m_strText);
        ocipg::ErrorRecord record;
        EXPECT_EQ(ocipg::Guard(&record, c.m_work), c.m_nStatus);
        EXPECT_EQ(record.m_nCode, c.m_strText.empty() ? 0 : std::stoi(c.m_strText.substr(4, 5)));
        EXPECT_EQ(record.m_strText.substr(0, c.m_strText.size()), c.m_strText);
        // A call without an error handle fails the same, with nothing to record.
        EXPECT_EQ(ocipg::Guard(nullptr, c.m_work), c.m_nStatus);
    }
}

}  // namespace
