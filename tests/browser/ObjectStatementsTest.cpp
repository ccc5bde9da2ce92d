#include <gtest/gtest.h>

#include <string>

#include "browser/ObjectStatements.h"

using browser::TableColumnsStatement;
using browser::TableDataStatement;

TEST(ObjectStatements, FromLabels)
{
    struct Case {
        const char* scope;
        const char* label;
        const char* columns;
        const char* data;
    };
    const Case cases[] = {
        {"All", "APP.ORDERS",
         "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'ORDERS' AND OWNER = 'APP'",
         "SELECT * FROM APP.ORDERS"},
        {"User", "ORDERS", "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'ORDERS'",
         "SELECT * FROM ORDERS"},
        {"All", "ORDERS", "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'ORDERS'",
         "SELECT * FROM ORDERS"},
        {"All", "APP.A.B", "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'A.B' AND OWNER = 'APP'",
         "SELECT * FROM APP.\"A.B\""},
        // A "User" label is a name, whatever it holds.
        {"User", "A.B", "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'A.B'",
         "SELECT * FROM \"A.B\""},
        {"All", "APP.O'Brien",
         "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'O''Brien' AND OWNER = 'APP'",
         "SELECT * FROM APP.\"O'Brien\""},
        {"User", "'; DROP TABLE X --", "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = '''; DROP TABLE X --'",
         "SELECT * FROM \"'; DROP TABLE X --\""},
        {"All", "APP.Mixed Case",
         "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'Mixed Case' AND OWNER = 'APP'",
         "SELECT * FROM APP.\"Mixed Case\""},
        {"All", "my schema.T\"Q",
         "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'T\"Q' AND OWNER = 'my schema'",
         "SELECT * FROM \"my schema\".\"T\"\"Q\""},
        {"User", "orders", "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'orders'",
         "SELECT * FROM \"orders\""},
        {"User", "EMP$HIST#2_X", "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'EMP$HIST#2_X'",
         "SELECT * FROM EMP$HIST#2_X"},
        {"User", "2FAST", "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = '2FAST'",
         "SELECT * FROM \"2FAST\""},
        {"User", "_X", "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = '_X'", "SELECT * FROM \"_X\""},
        {"User", "\xC4\xD6", "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = '\xC4\xD6'",
         "SELECT * FROM \"\xC4\xD6\""},
        {"User", "", "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = ''", "SELECT * FROM \"\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TableColumnsStatement(c.scope, c.label), c.columns) << c.scope << " " << c.label;
        EXPECT_EQ(TableDataStatement(c.scope, c.label), c.data) << c.scope << " " << c.label;
    }
}
