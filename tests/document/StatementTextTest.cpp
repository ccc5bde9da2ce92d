#include "document/StatementText.h"

#include <gtest/gtest.h>

TEST(StatementText, TrimsAndDropsOneTrailingSemicolonOutsideStoredCode)
{
    const std::pair<const char*, const char*> cases[] = {
        {"  select 1 from dual;  \n", "select 1 from dual"}, {"select 1;;", "select 1;"},
        {"update t set a = 1", "update t set a = 1"}, {" \t\n ", ""}, {";", ""}, {"beginning;", "beginning"},
        {"create table t (a int);", "create table t (a int)"},
        {"create or replace view v as select 1 from dual;", "create or replace view v as select 1 from dual"},
    };
    for (const auto& [typed, run] : cases)
        EXPECT_EQ(StatementToRun(typed), run) << typed;
    for (const char* code : {"begin null; end;", "DECLARE x int; BEGIN null; END;", "-- a block\nbegin null; end;",
                             "create or replace procedure p as begin null; end;",
                             "CREATE FUNCTION f return int as begin return 1; end;", "create package body k as end;",
                             "create trigger t before insert on x begin null; end;",
                             "create or replace type ty as object (a int);"})
        EXPECT_EQ(StatementToRun(code), code);
}

TEST(StatementText, HistorySteppedBothWays)
{
    StatementHistory history;
    std::string text = "typed";
    EXPECT_FALSE(history.Older(text));
    EXPECT_FALSE(history.Newer(text));
    EXPECT_EQ(text, "typed");
    for (const char* statement : {"one", "two", "two", "three"})
        history.Add(statement);
    // Older ('<') or newer, whether it stepped, the text after.
    const std::tuple<char, bool, const char*> steps[] = {
        {'<', true, "three"}, {'<', true, "two"}, {'<', true, "one"}, {'<', false, "one"},
        {'>', true, "two"},   {'>', true, "three"}, {'>', true, ""},  {'>', false, ""},
    };
    for (const auto& [cWay, bStepped, pszText] : steps) {
        EXPECT_EQ(cWay == '<' ? history.Older(text) : history.Newer(text), bStepped) << pszText;
        EXPECT_EQ(text, pszText);
    }
    // A run starts the stepping again after the newest.
    history.Older(text);
    history.Older(text);
    history.Add("four");
    ASSERT_TRUE(history.Older(text));
    EXPECT_EQ(text, "four");
}
