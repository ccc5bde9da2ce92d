#include <gtest/gtest.h>

#include <array>

#include "browser/ObjectStatements.h"

// The columns: the owner's condition only for a listed owner, quotes in the names doubled.
// The data: plain names (an upper-case ASCII letter, then letters, digits and "_") as they
// are, others quoted; a listed owner's name and the table's stay apart.
TEST(ObjectStatements, FromOwnerAndName)
{
    const std::array<const char*, 3> columns[] = {
        {"APP", "ORDERS", "'ORDERS' AND OWNER = 'APP'"}, {"", "ORDERS", "'ORDERS'"}, {"", "", "''"},
        {"Ev", "il.T", "'il.T' AND OWNER = 'Ev'"}, {"my schema", "T\"Q", "'T\"Q' AND OWNER = 'my schema'"},
        {"APP", "O'Brien", "'O''Brien' AND OWNER = 'APP'"}, {"", "'; DROP TABLE X --", "'''; DROP TABLE X --'"},
    };
    for (const auto& [owner, name, condition] : columns)
        EXPECT_EQ(browser::TableColumnsStatement(owner, name),
                  std::string("SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = ") + condition);

    const std::array<const char*, 3> data[] = {
        {"APP", "ORDERS", "APP.ORDERS"}, {"", "ORDERS", "ORDERS"}, {"", "EMP_2_X", "EMP_2_X"},
        {"Ev", "il.T", "\"Ev\".\"il.T\""}, {"Ev.il", "T", "\"Ev.il\".T"}, {"", "A.B", "\"A.B\""},
        {"APP", "O'Brien", "APP.\"O'Brien\""}, {"", "'; DROP TABLE X --", "\"'; DROP TABLE X --\""},
        {"APP", "Mixed Case", "APP.\"Mixed Case\""}, {"my schema", "T\"Q", "\"my schema\".\"T\"\"Q\""},
        {"SYS$OWNER", "A#B", "\"SYS$OWNER\".\"A#B\""}, {"", "orders", "\"orders\""}, {"", "2FAST", "\"2FAST\""},
        {"", "_X", "\"_X\""}, {"", "X-Y", "\"X-Y\""}, {"", "\xC4\xD6", "\"\xC4\xD6\""}, {"", "", "\"\""},
    };
    for (const auto& [owner, name, table] : data)
        EXPECT_EQ(browser::TableDataStatement(owner, name), std::string("SELECT * FROM ") + table);
}
