#include "ocipg/tests/OcipgTest.h"

namespace ocitest {
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
    const std::vector<std::vector<std::string>> expected = {{"10", "Administration", "LON"},
                                                            {"20", "Marketing", "PAR"},
                                                            {"30", "Purchasing", "NULL"},
                                                            {"40", "Zürich Office", "ZRH"}};
    EXPECT_EQ(rows, expected);
    ASSERT_EQ(m_session.Columns().size(), 3u);
    EXPECT_EQ(m_session.Columns()[0].m_strName, "DEPARTMENT_ID");
    EXPECT_EQ(m_session.Columns()[2].m_strName, "LOCATION");
    ub4 count = 0;
    OCIAttrGet(m_session.QueryStatement(), OCI_HTYPE_STMT, &count, nullptr, OCI_ATTR_ROW_COUNT, m_session.ErrorHandle());
    EXPECT_EQ(count, 4u);  // rows fetched so far
    ASSERT_EQ(m_session.Query("select 1 as \"Id\", null as \"Some Text\", 2 as \"o'brien\"", rows), OCI_SUCCESS)
        << m_session.Error();
    EXPECT_EQ(m_session.Columns()[0].m_strName, "Id");
    EXPECT_EQ(m_session.Columns()[1].m_strName, "Some Text");
    EXPECT_EQ(m_session.Columns()[2].m_strName, "o'brien");  // no unquoted Oracle name reaches it
    EXPECT_EQ(rows.at(0).at(1), "NULL");
}

TEST_F(OcipgFetch, NoRows)
{
    ASSERT_EQ(m_session.Execute("select * from hr.empty_table"), OCI_SUCCESS) << m_session.Error();
    EXPECT_EQ(m_session.Columns().size(), 2u);
    std::vector<std::string> values;
    EXPECT_EQ(m_session.FetchRow(values), OCI_NO_DATA);
    EXPECT_EQ(m_session.FetchRow(values), OCI_NO_DATA);
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
        {"false", 5, SQLT_BOL},
        {"'日本語'::varchar(3)", 12, SQLT_CHR},
        {"'日本'::char(2)", 8, SQLT_AFC},
        {"repeat('x', 4000)::text", 4000, SQLT_CHR},
        {"'\\x89504e47'::bytea", 4000, SQLT_BIN},
        {"'ffffffff-ffff-ffff-ffff-ffffffffffff'::uuid", 36, SQLT_CHR},
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

TEST_F(OcipgFetch, TruncatedValue)
{
    ASSERT_EQ(m_session.Execute("select 'abcdefgh' union all select 'ab'"), OCI_SUCCESS) << m_session.Error();
    char value[4] = {};
    sb2 indicator = 0;
    ub2 length = 0;
    ub2 code = 0;
    OCIDefine* define = nullptr;
    OCIStmt* stmt = m_session.QueryStatement();
    OCIError* err = m_session.ErrorHandle();
    ASSERT_EQ(OCIDefineByPos(stmt, &define, err, 1, value, sizeof value, SQLT_STR, &indicator, &length, &code, 0),
              OCI_SUCCESS);
    EXPECT_EQ(OCIStmtFetch(stmt, err, 1, OCI_FETCH_NEXT, OCI_DEFAULT), OCI_SUCCESS_WITH_INFO);
    sb4 number = 0;
    EXPECT_EQ(ErrorText(err, &number), "ORA-01406: fetched column value was truncated\n");
    EXPECT_EQ(number, 1406);
    EXPECT_STREQ(value, "abc");
    EXPECT_EQ(indicator, 8);
    EXPECT_EQ(length, 3);
    EXPECT_EQ(code, 1406);
    EXPECT_EQ(OCIStmtFetch(stmt, err, 1, OCI_FETCH_NEXT, OCI_DEFAULT), OCI_SUCCESS);
    EXPECT_STREQ(value, "ab");
    EXPECT_EQ(indicator, 0);
    EXPECT_EQ(code, 0);
}

TEST_F(OcipgFetch, SeveralRowsPerCall)
{
    ASSERT_EQ(m_session.Execute("select nullif(g, 2) from generate_series(1, 5) g"), OCI_SUCCESS);
    OCIStmt* stmt = m_session.QueryStatement();
    OCIError* err = m_session.ErrorHandle();
    char values[3][8] = {};
    sb2 indicators[3] = {};
    OCIDefine* define = nullptr;
    ASSERT_EQ(OCIDefineByPos(stmt, &define, err, 1, values, 8, SQLT_STR, indicators, nullptr, nullptr, 0), OCI_SUCCESS);
    ub4 fetched = 0;
    ASSERT_EQ(OCIStmtFetch(stmt, err, 3, OCI_FETCH_NEXT, OCI_DEFAULT), OCI_SUCCESS);
    OCIAttrGet(stmt, OCI_HTYPE_STMT, &fetched, nullptr, OCI_ATTR_ROWS_FETCHED, err);
    EXPECT_EQ(fetched, 3u);
    EXPECT_STREQ(values[0], "1");
    EXPECT_EQ(indicators[1], -1);
    EXPECT_STREQ(values[2], "3");
    EXPECT_EQ(OCIStmtFetch(stmt, err, 3, OCI_FETCH_NEXT, OCI_DEFAULT), OCI_NO_DATA);
    OCIAttrGet(stmt, OCI_HTYPE_STMT, &fetched, nullptr, OCI_ATTR_ROWS_FETCHED, err);
    EXPECT_EQ(fetched, 2u);
    EXPECT_STREQ(values[1], "5");
}

// Rows come in batches: memory stays flat however many rows pass.
TEST_F(OcipgFetch, TwoHundredThousandRowsInBoundedMemory)
{
    const long before = StatusKb("VmHWM:");
    ASSERT_EQ(m_session.Execute("select g, repeat('x', 300) from generate_series(1, 200000) g"), OCI_SUCCESS)
        << m_session.Error();
    std::vector<std::string> values;
    long rows = 0;
    sword status;
    while ((status = m_session.FetchRow(values)) == OCI_SUCCESS)
        ++rows;
    EXPECT_EQ(status, OCI_NO_DATA) << m_session.Error();
    EXPECT_EQ(rows, 200000);
    EXPECT_EQ(values.size(), 0u);
    // The whole result would be some 60 MB; a batch is well under one.
    EXPECT_LT(StatusKb("VmHWM:") - before, 20 * 1024);
}

// Closing a query early leaves the rest of it unread on the server.
TEST_F(OcipgFetch, EarlyCloseReadsNoFurther)
{
    ASSERT_EQ(m_session.Execute("create temporary sequence ocipg_early"), OCI_SUCCESS) << m_session.Error();
    ASSERT_EQ(m_session.Execute("select nextval('ocipg_early') from generate_series(1, 1000000)"), OCI_SUCCESS);
    std::vector<std::string> values;
    ASSERT_EQ(m_session.FetchRow(values), OCI_SUCCESS);
    m_session.CloseQuery();
    EXPECT_LE(std::stol(m_session.Value("select last_value from ocipg_early")), 1000);
}

}  // namespace
}  // namespace ocitest
