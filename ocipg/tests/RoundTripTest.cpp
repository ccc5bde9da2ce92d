#include "ocipg/tests/OcipgTest.h"

#include <unistd.h>

#include <cstdio>

namespace ocitest {
namespace {

// Round trips as Oracle's client makes them, counted through the log that
// OCIPG_ROUND_TRIPS names.
class OcipgRoundTrips : public HrTest {
protected:
    void TearDown() override { std::remove(m_strLog.c_str()); }

    // The round trips the log gives the statement, -1 when it has none.
    long LoggedTrips(const std::string& sql) const
    {
        std::ifstream log(m_strLog);
        std::string line;
        long trips = -1;
        while (std::getline(log, line)) {
            const size_t space = line.find(' ');
            if (space != std::string::npos && line.substr(space + 1) == sql)
                trips = std::stol(line.substr(0, space));
        }
        return trips;
    }

    // Executes, then fetches one row per call to the end; the rows read.
    long ReadOneByOne(Statement& stmt)
    {
        EXPECT_EQ(stmt.Execute(), OCI_SUCCESS) << m_session.Error();
        char value[16] = {};
        sb2 indicator = 0;
        EXPECT_EQ(stmt.Define(1, value, sizeof value, &indicator), OCI_SUCCESS);
        long rows = 0;
        sword status;
        while ((status = stmt.Fetch()) == OCI_SUCCESS)
            ++rows;
        EXPECT_EQ(status, OCI_NO_DATA) << m_session.Error();
        return rows;
    }

    const std::string m_strLog = ::testing::TempDir() + "ocipg_round_trips_" + std::to_string(getpid());
    ScopedEnv m_log{"OCIPG_ROUND_TRIPS", m_strLog};
};

TEST_F(OcipgRoundTrips, PrefetchDecidesTheRoundTrips)
{
    const struct {
        const char* m_szName;
        ub4 m_nRows;    // OCI_ATTR_PREFETCH_ROWS
        ub4 m_nMemory;  // OCI_ATTR_PREFETCH_MEMORY
        long m_nAtLeast;
        long m_nAtMost;
    } cases[] = {
        // One row more per round trip, Oracle's default: a round trip per two rows.
        {"default", 1, 0, 50, 52},
        {"100 rows", 100, 0, 1, 2},
        {"1000 rows", 1000, 0, 1, 2},
        // None beyond those asked for: a round trip per row, and one to find the end.
        {"none", 0, 0, 101, 102},
        // Memory for not even one row more bounds the rows as well.
        {"100 rows in 1 byte", 100, 1, 101, 102},
        {"100 rows in 1 MB", 100, 1 << 20, 1, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.m_szName);
        const std::string sql = std::string("select g from generate_series(1, 100) g /* ") + c.m_szName + " */";
        {
            Statement stmt(m_session, sql);
            ASSERT_EQ(stmt.Prepared(), OCI_SUCCESS);
            EXPECT_EQ(stmt.Get(OCI_ATTR_PREFETCH_ROWS), 1u);
            EXPECT_EQ(stmt.Get(OCI_ATTR_PREFETCH_MEMORY), 0u);
            ASSERT_EQ(stmt.Set(OCI_ATTR_PREFETCH_ROWS, c.m_nRows), OCI_SUCCESS);
            ASSERT_EQ(stmt.Set(OCI_ATTR_PREFETCH_MEMORY, c.m_nMemory), OCI_SUCCESS);
            EXPECT_EQ(stmt.Get(OCI_ATTR_PREFETCH_ROWS), c.m_nRows);
            EXPECT_EQ(stmt.Get(OCI_ATTR_PREFETCH_MEMORY), c.m_nMemory);
            EXPECT_EQ(ReadOneByOne(stmt), 100);
            EXPECT_EQ(LoggedTrips(sql), -1);  // logged when freed
        }
        const long trips = LoggedTrips(sql);
        EXPECT_GE(trips, c.m_nAtLeast);
        EXPECT_LE(trips, c.m_nAtMost);
    }
}

// Each execute is logged on its own; a text that fails before reaching the
// server costs none.
TEST_F(OcipgRoundTrips, EachExecuteIsLogged)
{
    const std::string sql = "select 1 union all select 2";
    Statement stmt(m_session, sql);
    ASSERT_EQ(stmt.Set(OCI_ATTR_PREFETCH_ROWS, 10), OCI_SUCCESS);
    EXPECT_EQ(ReadOneByOne(stmt), 2);
    EXPECT_EQ(LoggedTrips(sql), -1);
    EXPECT_EQ(ReadOneByOne(stmt), 2);
    // The execute brings one row, the width of the rest unknown; the next
    // round trip the other and the end.
    EXPECT_EQ(LoggedTrips(sql), 2);
    const std::string two = "select 1; select 2";
    EXPECT_EQ(Statement(m_session, two).Execute(), OCI_ERROR);
    EXPECT_EQ(LoggedTrips(two), 0);
}

// Whatever the prefetch, a statement holds a bounded amount of row data:
// 500 values of 1 MB would be 500 MB at once.
TEST_F(OcipgRoundTrips, WideRowsStayInBoundedMemory)
{
    Statement stmt(m_session, "select g, repeat('x', 1048576) from generate_series(1, 500) g");
    ASSERT_EQ(stmt.Set(OCI_ATTR_PREFETCH_ROWS, 1000), OCI_SUCCESS);
    ResetPeakMemory();
    const long before = StatusKb("VmHWM:");
    ASSERT_EQ(stmt.Execute(), OCI_SUCCESS) << m_session.Error();
    char number[8] = {};
    char text[16] = {};
    sb2 indicators[2] = {};
    ASSERT_EQ(stmt.Define(1, number, sizeof number, &indicators[0]), OCI_SUCCESS);
    ASSERT_EQ(stmt.Define(2, text, sizeof text, &indicators[1]), OCI_SUCCESS);
    long rows = 0;
    sword status;
    while ((status = stmt.Fetch()) == OCI_SUCCESS_WITH_INFO)  // each value cut to 15 bytes
        ++rows;
    EXPECT_EQ(status, OCI_NO_DATA) << m_session.Error();
    EXPECT_EQ(rows, 500);
    EXPECT_STREQ(number, "500");
    EXPECT_EQ(indicators[1], -2);  // the full length, above 32767
    EXPECT_LT(StatusKb("VmHWM:") - before, 64 * 1024);
}

}  // namespace
}  // namespace ocitest
