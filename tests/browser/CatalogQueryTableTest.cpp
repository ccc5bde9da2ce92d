#include <gtest/gtest.h>

#include <string>

#include "browser/CatalogQueryTable.h"

using browser::CatalogCategory;
using browser::CatalogQueryTable;
using browser::FindCatalogCategory;
using browser::ObjectLabel;

TEST(CatalogQueryTable, NineteenRowsAsListed)
{
    struct Row {
        const char* category;
        const char* scope;
        const char* statement;
        bool ownerColumn;
        int image;
    };
    const Row expected[] = {
        {"Tables", "All",
         "SELECT TABLE_NAME, OWNER, TABLESPACE_NAME, NUM_ROWS, AVG_ROW_LEN, TABLE_LOCK, BACKED_UP, CLUSTER_NAME, LOGGING, SAMPLE_SIZE, LAST_ANALYZED, PARTITIONED, TEMPORARY FROM DBA_TABLES ORDER BY OWNER, TABLE_NAME",
         true, 0},
        {"Tables", "User",
         "SELECT TABLE_NAME, TABLESPACE_NAME, NUM_ROWS, AVG_ROW_LEN, TABLE_LOCK, BACKED_UP, CLUSTER_NAME, LOGGING, SAMPLE_SIZE, LAST_ANALYZED, PARTITIONED, TEMPORARY FROM USER_TABLES ORDER BY TABLE_NAME",
         false, 0},
        {"Views", "All",
         "SELECT VIEW_NAME, OWNER, TYPE_TEXT, VIEW_TYPE_OWNER, VIEW_TYPE, SUPERVIEW_NAME FROM DBA_VIEWS ORDER BY OWNER, VIEW_NAME",
         true, 4},
        {"Views", "User",
         "SELECT VIEW_NAME, TYPE_TEXT, VIEW_TYPE_OWNER, VIEW_TYPE, SUPERVIEW_NAME FROM USER_VIEWS ORDER BY VIEW_NAME",
         false, 4},
        {"Indexes", "All",
         "SELECT INDEX_NAME, OWNER, INDEX_TYPE, TABLE_NAME, TABLE_OWNER, TABLE_TYPE, UNIQUENESS, COMPRESSION, PREFIX_LENGTH, TABLESPACE_NAME,  LOGGING, DISTINCT_KEYS,  STATUS, NUM_ROWS, SAMPLE_SIZE, LAST_ANALYZED, PARTITIONED, TEMPORARY, SECONDARY FROM DBA_INDEXES ORDER BY OWNER, INDEX_NAME",
         true, 7},
        {"Indexes", "User",
         "SELECT INDEX_NAME, INDEX_TYPE, TABLE_NAME, TABLE_OWNER, TABLE_TYPE, UNIQUENESS, COMPRESSION, PREFIX_LENGTH, TABLESPACE_NAME, LOGGING, DISTINCT_KEYS, STATUS, NUM_ROWS, SAMPLE_SIZE, LAST_ANALYZED, PARTITIONED, TEMPORARY, SECONDARY FROM USER_INDEXES ORDER BY INDEX_NAME",
         false, 7},
        {"Procedures", "All",
         "SELECT PROCEDURE_NAME, OWNER, OBJECT_NAME, AUTHID, AGGREGATE, PIPELINED,  IMPLTYPEOWNER,  IMPLTYPENAME, PARALLEL, INTERFACE,  DETERMINISTIC FROM DBA_PROCEDURES ORDER BY OWNER, PROCEDURE_NAME",
         true, 5},
        {"Procedures", "User",
         "SELECT PROCEDURE_NAME, OBJECT_NAME, AUTHID, AGGREGATE, PIPELINED,  IMPLTYPEOWNER,  IMPLTYPENAME, PARALLEL, INTERFACE,  DETERMINISTIC FROM USER_PROCEDURES ORDER BY PROCEDURE_NAME",
         false, 5},
        {"Triggers", "All",
         "SELECT TRIGGER_NAME, OWNER, TRIGGER_TYPE, TRIGGERING_EVENT, TABLE_OWNER, BASE_OBJECT_TYPE, TABLE_NAME, COLUMN_NAME, REFERENCING_NAMES, WHEN_CLAUSE, STATUS, DESCRIPTION, ACTION_TYPE FROM DBA_TRIGGERS ORDER BY OWNER, TRIGGER_NAME",
         true, 8},
        {"Triggers", "User",
         "SELECT TRIGGER_NAME, TRIGGER_TYPE, TRIGGERING_EVENT, TABLE_OWNER, BASE_OBJECT_TYPE, TABLE_NAME, COLUMN_NAME, REFERENCING_NAMES, WHEN_CLAUSE, STATUS, DESCRIPTION, ACTION_TYPE FROM USER_TRIGGERS ORDER BY TRIGGER_NAME",
         false, 8},
        {"Sequenses", "All",
         "SELECT SEQUENCE_NAME, SEQUENCE_OWNER, MIN_VALUE, MAX_VALUE,  INCREMENT_BY, LAST_NUMBER, CYCLE_FLAG, ORDER_FLAG, CACHE_SIZE FROM DBA_SEQUENCES ORDER BY SEQUENCE_OWNER, SEQUENCE_NAME",
         true, 9},
        {"Sequenses", "User",
         "SELECT SEQUENCE_NAME, MIN_VALUE, MAX_VALUE,  INCREMENT_BY, LAST_NUMBER, CYCLE_FLAG, ORDER_FLAG, CACHE_SIZE FROM USER_SEQUENCES ORDER BY SEQUENCE_NAME",
         false, 9},
        {"Synonyms", "All",
         "SELECT SYNONYM_NAME, OWNER, TABLE_NAME, TABLE_OWNER,  DB_LINK FROM DBA_SYNONYMS ORDER BY OWNER, SYNONYM_NAME",
         true, 11},
        {"Synonyms", "User",
         "SELECT SYNONYM_NAME, TABLE_NAME, TABLE_OWNER, DB_LINK FROM USER_SYNONYMS ORDER BY SYNONYM_NAME",
         false, 11},
        {"Constraints", "All",
         "SELECT CONSTRAINT_NAME, OWNER, CONSTRAINT_TYPE, TABLE_NAME, R_OWNER, R_CONSTRAINT_NAME, DELETE_RULE, STATUS, DEFERRABLE, DEFERRED, VALIDATED, GENERATED, BAD, RELY, LAST_CHANGE, INDEX_OWNER, INDEX_NAME, INVALID, VIEW_RELATED FROM DBA_CONSTRAINTS ORDER BY OWNER, CONSTRAINT_NAME",
         true, 10},
        {"Constraints", "User",
         "SELECT CONSTRAINT_NAME, CONSTRAINT_TYPE, TABLE_NAME, R_OWNER, R_CONSTRAINT_NAME, DELETE_RULE, STATUS, DEFERRABLE, DEFERRED, VALIDATED, GENERATED, BAD, RELY, LAST_CHANGE, INDEX_OWNER, INDEX_NAME, INVALID, VIEW_RELATED FROM USER_CONSTRAINTS ORDER BY CONSTRAINT_NAME",
         false, 10},
        {"DBLinks", "All",
         "SELECT DB_LINK, OWNER, USERNAME, HOST, CREATED FROM ALL_DB_LINKS ORDER BY OWNER, DB_LINK",
         true, 6},
        {"DBLinks", "User",
         "SELECT DB_LINK, USERNAME, HOST, CREATED FROM USER_DB_LINKS ORDER BY DB_LINK",
         false, 6},
        {"Users", "",
         "SELECT USERNAME, USER_ID, PASSWORD, ACCOUNT_STATUS, LOCK_DATE, EXPIRY_DATE, DEFAULT_TABLESPACE, EXTERNAL_NAME, TEMPORARY_TABLESPACE, CREATED, PROFILE, INITIAL_RSRC_CONSUMER_GROUP FROM DBA_USERS ORDER BY USERNAME",
         false, 2},
    };
    const auto table = CatalogQueryTable();
    ASSERT_EQ(table.size(), std::size(expected));
    for (std::size_t i = 0; i < table.size(); ++i) {
        const CatalogCategory& row = table[i];
        EXPECT_STREQ(row.pszCategory, expected[i].category) << i;
        EXPECT_STREQ(row.pszScope, expected[i].scope) << i;
        EXPECT_STREQ(row.pszStatement, expected[i].statement) << i;
        EXPECT_EQ(row.bOwnerColumn, expected[i].ownerColumn) << i;
        EXPECT_EQ(row.nObjectImage, expected[i].image) << i;
        EXPECT_EQ(FindCatalogCategory(expected[i].category, expected[i].scope), &row) << i;
    }
}

TEST(CatalogQueryTable, UnknownNodesRunNothing)
{
    EXPECT_EQ(FindCatalogCategory("Tables", ""), nullptr);
    EXPECT_EQ(FindCatalogCategory("Users", "All"), nullptr);
    EXPECT_EQ(FindCatalogCategory("Sequences", "All"), nullptr);
    EXPECT_EQ(FindCatalogCategory("tables", "all"), nullptr);
    EXPECT_EQ(FindCatalogCategory("Database", ""), nullptr);
}

TEST(CatalogQueryTable, ObjectLabels)
{
    const CatalogCategory& allTables = *FindCatalogCategory("Tables", "All");
    const CatalogCategory& userTables = *FindCatalogCategory("Tables", "User");
    const CatalogCategory& users = *FindCatalogCategory("Users", "");
    struct Case {
        const CatalogCategory& row;
        const char* name;
        const char* owner;
        const char* expected;
    };
    const Case cases[] = {
        {allTables, "ORDERS", "APP", "APP.ORDERS"},
        {allTables, "ORDERS", "", "ORDERS"},
        {allTables, "ORDERS", "NULL", "NULL.ORDERS"},
        {allTables, "A.B", "APP", "APP.A.B"},
        {allTables, "NULL", "APP", "APP.NULL"},
        {userTables, "ORDERS", "USERS", "ORDERS"},
        {users, "SCOTT", "42", "SCOTT"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ObjectLabel(c.row, c.name, c.owner), c.expected) << c.expected;
}
