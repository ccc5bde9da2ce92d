// The dictionary end to end: Lumidex's own Oracle session over libocipg.so,
// loaded by file name as Lumidex loads an OCI client.

#include "oracle/OracleSession.h"
#include "tests/dictionary/PgSession.h"
#include "tests/support/TestFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Listing {
    SessionResult nResult = SR_ERROR;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
    int nErrorCode = 0;
    std::string strError;
};

// Runs a statement the way the result list does: execute, describe, fetch to
// the end.
Listing List(OracleSession& session, const std::string& statement)
{
    Listing listing;
    int isQuery = 0;
    int columnCount = 0;
    int rowCount = 0;
    listing.nResult =
        session.Execute(statement.data(), static_cast<int>(statement.size()), &isQuery, &columnCount, &rowCount);
    if (listing.nResult == SR_SUCCESS)
        listing.nResult = session.DescribeColumns(columnCount, &listing.columns);
    while (listing.nResult == SR_SUCCESS) {
        std::vector<std::string> values;
        const SessionResult fetched = session.FetchRow(columnCount, &values);
        if (fetched == SR_NO_DATA)
            break;
        listing.nResult = fetched;
        if (fetched == SR_SUCCESS)
            listing.rows.push_back(std::move(values));
    }
    if (listing.nResult != SR_SUCCESS) {
        char text[1024] = {};
        session.GetErrorText(text, sizeof text, &listing.nErrorCode);
        listing.strError = text;
    }
    return listing;
}

std::unique_ptr<OracleSession> Logon(const std::string& user, const std::string& password)
{
    setenv("LUMIDEX_OCI_LIBRARY", testfixture::OcipgLibrary(), 1);
    auto session = std::make_unique<OracleSession>();
    const std::string service = "LUMIDEX";
    const SessionResult result =
        session->Connect(service.data(), static_cast<int>(service.size()), user.data(), static_cast<int>(user.size()),
                         password.data(), static_cast<int>(password.size()), 0);
    EXPECT_EQ(result, SR_SUCCESS) << user;
    return session;
}

TEST(OciDictionary, CatalogListingsReachTheDatabasesObjects)
{
    auto system = Logon("system", "manager");
    const Listing tables = List(*system,
        "SELECT TABLE_NAME, OWNER, TABLESPACE_NAME, NUM_ROWS, AVG_ROW_LEN, TABLE_LOCK, BACKED_UP, CLUSTER_NAME, "
        "LOGGING, SAMPLE_SIZE, LAST_ANALYZED, PARTITIONED, TEMPORARY FROM DBA_TABLES ORDER BY OWNER, TABLE_NAME");
    ASSERT_EQ(tables.nResult, SR_SUCCESS) << tables.strError;
    EXPECT_EQ(tables.columns.size(), 13u);
    EXPECT_EQ(std::to_string(tables.rows.size()),
              dicttest::AdminValue("SELECT count(*) FROM pg_tables WHERE schemaname IN ('hr', 'app')"));

    const Listing columns = List(*system, "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'ORDERS' AND OWNER = 'APP'");
    ASSERT_EQ(columns.nResult, SR_SUCCESS) << columns.strError;
    ASSERT_EQ(columns.rows.size(), 5u);
    EXPECT_EQ(columns.columns.at(0), "OWNER");
    EXPECT_EQ(columns.columns.at(3), "DATA_TYPE");
    EXPECT_EQ(columns.rows[0].at(2), "ORDER_ID");
    EXPECT_EQ(columns.rows[0].at(3), "NUMBER");

    const Listing rows = List(*system, "SELECT * FROM APP.ORDERS");
    ASSERT_EQ(rows.nResult, SR_SUCCESS) << rows.strError;
    EXPECT_EQ(rows.rows.size(), 3u);
}

// DEFERRABLE is reserved in PostgreSQL: the library quotes it in queries.
TEST(OciDictionary, ConstraintListingNamesItsReservedColumn)
{
    auto system = Logon("system", "manager");
    const Listing constraints = List(*system,
        "SELECT CONSTRAINT_NAME, CONSTRAINT_TYPE, TABLE_NAME, R_OWNER, R_CONSTRAINT_NAME, DELETE_RULE, STATUS, "
        "DEFERRABLE, DEFERRED, VALIDATED, GENERATED, BAD, RELY, LAST_CHANGE, INDEX_OWNER, INDEX_NAME, INVALID, "
        "VIEW_RELATED FROM DBA_CONSTRAINTS ORDER BY CONSTRAINT_NAME");
    ASSERT_EQ(constraints.nResult, SR_SUCCESS) << constraints.strError;
    ASSERT_GE(constraints.columns.size(), 8u);
    EXPECT_EQ(constraints.columns[7], "DEFERRABLE");

}

TEST(OciDictionary, DbaViewForAnOrdinaryAccountIsOra00942)
{
    auto hr = Logon("hr", "hr");
    const Listing users = List(*hr,
        "SELECT USERNAME, USER_ID, PASSWORD, ACCOUNT_STATUS, LOCK_DATE, EXPIRY_DATE, DEFAULT_TABLESPACE, "
        "EXTERNAL_NAME, TEMPORARY_TABLESPACE, CREATED, PROFILE, INITIAL_RSRC_CONSUMER_GROUP FROM DBA_USERS "
        "ORDER BY USERNAME");
    EXPECT_NE(users.nResult, SR_SUCCESS);
    EXPECT_EQ(users.nErrorCode, 942);
    EXPECT_EQ(users.strError.rfind("ORA-00942: table or view does not exist", 0), 0u) << users.strError;

    // The session goes on, and HR's own listing holds HR's tables.
    const Listing tables = List(*hr, "SELECT TABLE_NAME FROM USER_TABLES ORDER BY TABLE_NAME");
    ASSERT_EQ(tables.nResult, SR_SUCCESS) << tables.strError;
    EXPECT_EQ(tables.rows, (std::vector<std::vector<std::string>>{{"DEPARTMENTS"}, {"EMPLOYEES"}, {"EMPTY_TABLE"}}));
}

}  // namespace
