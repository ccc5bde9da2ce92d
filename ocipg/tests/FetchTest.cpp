// Rows as they arrive: values, NULLs and names, display sizes, values cut, bounded memory, round trips.
#include "ocipg/tests/OcipgTest.h"

#include <unistd.h>

#include <cstdio>

using namespace ocitest;

namespace {

class OcipgFetch : public HrTest {
protected:
    ScopedEnv m_utf8{"NLS_LANG", "AMERICAN_AMERICA.AL32UTF8"};
};

TEST_F(OcipgFetch, RowsWithNullsAndNames)
{
    std::vector<std::vector<std::string>> rows;
    ASSERT_EQ(m_session.Query("select department_id, department_name, location from hr.departments order by 1", rows),
              OCI_SUCCESS)
        << m_session.Error();
    EXPECT_EQ(rows, (std::vector<std::vector<std::string>>{{"10", "Administration", "LON"},
                                                           {"20", "Marketing", "PAR"},
                                                           {"30", "Purchasing", "NULL"},
                                                           {"40", "Zürich Office", "ZRH"}}));
    EXPECT_EQ(m_session.Columns().at(0).m_strName, "DEPARTMENT_ID");
    EXPECT_EQ(m_session.QueryStatement().Get(OCI_ATTR_ROW_COUNT), 4u);  // rows fetched so far
    // Quoted names as written: no unquoted Oracle name reaches them.
    ASSERT_EQ(m_session.Query("select 1 as \"Id\", null as \"Some Text\", 2 as \"o'brien\"", rows), OCI_SUCCESS)
        << m_session.Error();
    EXPECT_EQ(m_session.Columns().at(0).m_strName + "," + m_session.Columns()[1].m_strName + "," +
                  m_session.Columns()[2].m_strName,
              "Id,Some Text,o'brien");
    EXPECT_EQ(rows.at(0).at(1), "NULL");
    // No rows: the columns still, and the end at once; as Oracle's, a fetch past the end is out of sequence.
    ASSERT_EQ(m_session.Execute("select * from hr.empty_table"), OCI_SUCCESS) << m_session.Error();
    EXPECT_EQ(m_session.Columns().size(), 2u);
    std::vector<std::string> values;
    EXPECT_EQ(m_session.FetchRow(values), OCI_NO_DATA);
    EXPECT_EQ(m_session.FetchRow(values), OCI_ERROR);
    EXPECT_EQ(m_session.Error(), "ORA-01002: fetch out of sequence\n");
}

// Display sizes hold the longest text of each type; the unbounded get 4000.
TEST_F(OcipgFetch, DisplaySizesHoldEveryValue)
{
    const struct {
        const char* m_szValue;
        ub2 m_nDisplaySize;
        ub2 m_nDataType;
    } cases[] = {
        {"'-32768'::smallint", 6, SQLT_NUM},
        {"'-2147483648'::integer", 11, SQLT_NUM},
        {"'-9223372036854775808'::bigint", 20, SQLT_NUM},
        {"'-99999999.99'::numeric(10,2)", 12, SQLT_NUM},
        {"0.00001::numeric(3,5)", 8, SQLT_NUM},
        {"1e30::numeric", 40, SQLT_NUM},
        {"'-2.2250738585072014e-308'::float8", 24, SQLT_IBDOUBLE},
        {"'-1.1754944e-38'::float4", 15, SQLT_IBFLOAT},
        {"'5874897-12-31'::date", 13, SQLT_DAT},
        {"'4713-01-01 BC'::date", 13, SQLT_DAT},
        {"'294276-12-31 23:59:59.999999'::timestamp", 31, SQLT_TIMESTAMP},
        {"'4713-01-01 00:00:00.000001 BC'::timestamp", 31, SQLT_TIMESTAMP},
        {"'日本語'::varchar(3)", 12, SQLT_CHR},
        {"false", 5, SQLT_BOL},
        {"'日本'::char(2)", 8, SQLT_AFC},
        {"repeat('x', 4000)::text", 4000, SQLT_CHR},
        {"'\\x89504e47'::bytea", 4000, SQLT_BIN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.m_szValue);
        std::vector<std::vector<std::string>> rows;
        ASSERT_EQ(m_session.Query(std::string("select ") + c.m_szValue, rows), OCI_SUCCESS) << m_session.Error();
        EXPECT_EQ(m_session.Columns().at(0).m_nDisplaySize, c.m_nDisplaySize);
        EXPECT_EQ(m_session.Columns().at(0).m_nDataType, c.m_nDataType);
        EXPECT_EQ(rows.size(), 1u);
    }
}

// A value cut to the buffer keeps whole characters, the indicator its full length; the next row starts afresh.
TEST_F(OcipgFetch, CutValues)
{
    const char* const kTwoRows = "select 'abcdefgh' union all select 'ab'";
    const char* const kCjk = "select 'a\xe6\x97\xa5\xe6\x9c\xac'";
    const struct {
        const char* m_szSql;
        sb4 m_nSize;  // of the buffer
        int m_nRow;   // the row checked
        sword m_nStatus;
        const char* m_szValue;
        sb2 m_nIndicator;
        ub2 m_nLength;
        ub2 m_nCode;
    } cases[] = {
        {kTwoRows, 4, 1, OCI_SUCCESS_WITH_INFO, "abc", 8, 3, 1406},
        {kTwoRows, 4, 2, OCI_SUCCESS, "ab", 0, 2, 0},
        {kCjk, 2, 1, OCI_SUCCESS_WITH_INFO, "a", 7, 1, 1406},
        {kCjk, 5, 1, OCI_SUCCESS_WITH_INFO, "a\xe6\x97\xa5", 7, 4, 1406},
        {kCjk, 7, 1, OCI_SUCCESS_WITH_INFO, "a\xe6\x97\xa5", 7, 4, 1406},
        {kCjk, 8, 1, OCI_SUCCESS, "a\xe6\x97\xa5\xe6\x9c\xac", 0, 7, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.m_szSql) + " into " + std::to_string(c.m_nSize));
        Statement stmt(m_session, c.m_szSql);
        ASSERT_EQ(stmt.Execute(), OCI_SUCCESS) << m_session.Error();
        std::vector<char> value(static_cast<size_t>(c.m_nSize), '#');
        sb2 indicator = 0;
        ub2 length = 0;
        ub2 code = 0;
        ASSERT_EQ(stmt.Define(1, value.data(), c.m_nSize, &indicator, &length, &code), OCI_SUCCESS);
        for (int row = 1; row < c.m_nRow; ++row)
            stmt.Fetch();
        EXPECT_EQ(stmt.Fetch(), c.m_nStatus);
        EXPECT_EQ(m_session.Error(), c.m_nCode ? "ORA-01406: fetched column value was truncated\n" : "");
        EXPECT_STREQ(value.data(), c.m_szValue);
        EXPECT_EQ(indicator, c.m_nIndicator);
        EXPECT_EQ(length, c.m_nLength);
        EXPECT_EQ(code, c.m_nCode);
    }
}

// Whatever the prefetch, a statement holds a bounded amount of row data: memory stays flat however many rows pass.
TEST_F(OcipgFetch, RowsPassInBoundedMemory)
{
    const struct {
        const char* m_szSql;
        ub4 m_nPrefetch;
        const char* m_szLast;
        sb2 m_nIndicator;  // of the text cut to 15 bytes: its full length, -2 above 32767
        long m_nLimitKb;
    } cases[] = {
        {"select g, repeat('x', 300) from generate_series(1, 200000) g", 1, "200000", 300, 20 * 1024},
        {"select g, repeat('x', 1048576) from generate_series(1, 500) g", 1000, "500", -2, 64 * 1024},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.m_szSql);
        Statement stmt(m_session, c.m_szSql);
        ASSERT_EQ(stmt.Set(OCI_ATTR_PREFETCH_ROWS, c.m_nPrefetch), OCI_SUCCESS);
        std::ofstream("/proc/self/clear_refs") << "5";  // VmHWM afresh: the peak from here is this case's
        const long before = StatusKb("VmHWM:");
        ASSERT_EQ(stmt.Execute(), OCI_SUCCESS) << m_session.Error();
        char number[8] = {};
        char text[16] = {};
        sb2 indicators[2] = {};
        ASSERT_EQ(stmt.Define(1, number, sizeof number, &indicators[0]), OCI_SUCCESS);
        ASSERT_EQ(stmt.Define(2, text, sizeof text, &indicators[1]), OCI_SUCCESS);
        long rows = 0;
        sword status;
        while ((status = stmt.Fetch()) == OCI_SUCCESS_WITH_INFO)  // each text cut
            ++rows;
        EXPECT_EQ(status, OCI_NO_DATA) << m_session.Error();
        EXPECT_EQ(std::to_string(rows), c.m_szLast);
        EXPECT_STREQ(number, c.m_szLast);
        EXPECT_EQ(indicators[1], c.m_nIndicator);
        EXPECT_LT(StatusKb("VmHWM:") - before, c.m_nLimitKb);
    }
}

// Round trips as Oracle's client makes them, from the log OCIPG_ROUND_TRIPS names: "<trips> <text>" per statement.
TEST_F(OcipgFetch, PrefetchDecidesTheRoundTrips)
{
    const std::string log = ::testing::TempDir() + "ocipg_round_trips_" + std::to_string(getpid());
    std::remove(log.c_str());
    ScopedEnv logged("OCIPG_ROUND_TRIPS", log);
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
        // None beyond those asked for: a round trip per row, and one to find the end.
        {"none", 0, 0, 101, 102},
        // Memory for not even one row more bounds the rows as well.
        {"100 rows in 1 byte", 100, 1, 101, 102},
        {"100 rows in 1 MB", 100, 1 << 20, 1, 2},
    };
    const auto sql = [](const char* name) {
        return std::string("select g from generate_series(1, 100) g /* ") + name + " */";
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.m_szName);
        Statement stmt(m_session, sql(c.m_szName));
        EXPECT_EQ(stmt.Get(OCI_ATTR_PREFETCH_ROWS), 1u);
        EXPECT_EQ(stmt.Get(OCI_ATTR_PREFETCH_MEMORY), 0u);
        ASSERT_EQ(stmt.Set(OCI_ATTR_PREFETCH_ROWS, c.m_nRows), OCI_SUCCESS);
        ASSERT_EQ(stmt.Set(OCI_ATTR_PREFETCH_MEMORY, c.m_nMemory), OCI_SUCCESS);
        ASSERT_EQ(stmt.Execute(), OCI_SUCCESS) << m_session.Error();
        char value[16] = {};
        sb2 indicator = 0;
        ASSERT_EQ(stmt.Define(1, value, sizeof value, &indicator), OCI_SUCCESS);
        int rows = 0;
        sword status;
        while ((status = stmt.Fetch()) == OCI_SUCCESS)
            ++rows;
        EXPECT_EQ(status, OCI_NO_DATA) << m_session.Error();
        EXPECT_EQ(rows, 100);
    }
    std::ifstream file(log);
    for (const auto& c : cases) {
        long trips = -1;
        std::string text;
        file >> trips;
        std::getline(file, text);
        EXPECT_EQ(text, " " + sql(c.m_szName));
        EXPECT_GE(trips, c.m_nAtLeast) << c.m_szName;
        EXPECT_LE(trips, c.m_nAtMost) << c.m_szName;
    }
    std::remove(log.c_str());
}

}  // namespace
