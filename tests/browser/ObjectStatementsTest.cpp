#include <gtest/gtest.h>

#include <string>

#include "browser/ObjectStatements.h"

using browser::TableColumnsStatement;
using browser::TableDataStatement;

TEST(ObjectStatements, FromOwnerAndName)
{
    struct Case {
        const char* owner;
        const char* name;
        const char* columns;
        const char* data;
    };
    const Case cases[] = {
        {"APP", "ORDERS", "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'ORDERS' AND OWNER = 'APP'",
         "SELECT * FROM APP.ORDERS"},
        // Listed without an owner: every table of that name the account can see.
        {"", "ORDERS", "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'ORDERS'", "SELECT * FROM ORDERS"},
        // The two halves of one label "Ev.il.T" stay apart.
        {"Ev", "il.T", "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'il.T' AND OWNER = 'Ev'",
         "SELECT * FROM \"Ev\".\"il.T\""},
        {"Ev.il", "T", "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'T' AND OWNER = 'Ev.il'",
         "SELECT * FROM \"Ev.il\".T"},
        {"", "A.B", "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'A.B'", "SELECT * FROM \"A.B\""},
        {"APP", "O'Brien", "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'O''Brien' AND OWNER = 'APP'",
         "SELECT * FROM APP.\"O'Brien\""},
        {"", "'; DROP TABLE X --", "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = '''; DROP TABLE X --'",
         "SELECT * FROM \"'; DROP TABLE X --\""},
        {"APP", "Mixed Case", "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'Mixed Case' AND OWNER = 'APP'",
         "SELECT * FROM APP.\"Mixed Case\""},
        {"my schema", "T\"Q", "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'T\"Q' AND OWNER = 'my schema'",
         "SELECT * FROM \"my schema\".\"T\"\"Q\""},
        {"", "orders", "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'orders'", "SELECT * FROM \"orders\""},
        // Plain: an upper-case ASCII letter, then letters, digits and "_" only.
        {"", "EMP_2_X", "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'EMP_2_X'", "SELECT * FROM EMP_2_X"},
        {"", "EMP$HIST", "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'EMP$HIST'",
         "SELECT * FROM \"EMP$HIST\""},
        {"SYS$OWNER", "A#B", "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'A#B' AND OWNER = 'SYS$OWNER'",
         "SELECT * FROM \"SYS$OWNER\".\"A#B\""},
        {"", "2FAST", "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = '2FAST'", "SELECT * FROM \"2FAST\""},
        {"", "_X", "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = '_X'", "SELECT * FROM \"_X\""},
        {"", "X-Y", "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'X-Y'", "SELECT * FROM \"X-Y\""},
        {"", "\xC4\xD6", "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = '\xC4\xD6'", "SELECT * FROM \"\xC4\xD6\""},
        {"", "", "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = ''", "SELECT * FROM \"\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TableColumnsStatement(c.owner, c.name), c.columns) << c.owner << " " << c.name;
        EXPECT_EQ(TableDataStatement(c.owner, c.name), c.data) << c.owner << " " << c.name;
    }
}
