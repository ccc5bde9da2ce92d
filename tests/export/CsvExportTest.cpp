#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "controls/ResultListContent.h"
#include "export/CsvExportWriter.h"
#include "tests/support/TestSupport.h"

using xmlexport::AppendCsvField;
using Records = std::vector<std::vector<std::string>>;

TEST(CsvExport, QuotesOnlyWhatNeedsIt)
{
    const std::pair<std::string, std::string> cases[] = {
        {"plain", "plain"},
        {"", ""},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"line\nfeed", "\"line\nfeed\""},
        {"carriage\rreturn", "\"carriage\rreturn\""},
        {" lead", "\" lead\""},
        {"trail\t", "\"trail\t\""},
        {"in side", "in side"},
        {"NULL", "NULL"},
        {"Z\xC3\xBCrich", "Z\xC3\xBCrich"},
    };
    for (const auto& [field, written] : cases) {
        std::string out;
        AppendCsvField(field, out);
        EXPECT_EQ(out, written) << field;
    }
}

// The list as shown, not in the order the rows came in.
TEST(CsvExport, ListInTheShownOrder)
{
    TempFolder folder;
    controls::ResultListContent content;
    content.SetColumns({"NAME", "NOTE, LONG", ""});
    const Records rows = {
        {"O'Brien", "says \"hi\"", "NULL"},
        {" leading", "two\nlines", "Z\xC3\xBCrich \xE6\x97\xA5\xE6\x9C\xAC"},
        {"", "a,b", "trailing "},
    };
    for (const auto& row : rows)
        ASSERT_GE(content.AppendRow(row), 0);
    ASSERT_TRUE(content.ReorderRows({2, 0, 1}));
    const std::string path = folder.Path("list.csv");
    ASSERT_TRUE(xmlexport::SaveCsvFile(path, content, "UTF-8"));
    EXPECT_EQ(TempFolder::Read(path), "NAME,\"NOTE, LONG\",\r\n,\"a,b\",\"trailing \"\r\n"
                                      "O'Brien,\"says \"\"hi\"\"\",NULL\r\n"
                                      "\" leading\",\"two\nlines\",Z\xC3\xBCrich \xE6\x97\xA5\xE6\x9C\xAC\r\n");

    controls::ResultListContent empty;
    empty.SetColumns({"A", "B"});
    ASSERT_TRUE(xmlexport::SaveCsvFile(path, empty));
    EXPECT_EQ(TempFolder::Read(path), "A,B\r\n");
}

// A save that fails part-way leaves the old file as it was, and no other.
TEST(CsvExport, FailedSaveKeepsTheOldFile)
{
    TempFolder folder;
    const std::string path = folder.Put("list.csv", "old,file\r\n");
    controls::ResultListContent content;
    content.SetColumns({"V"});
    for (int i = 0; i < 2000; ++i)
        content.AppendRow({"a value of some length " + std::to_string(i)});

    const bool saved = [&] {
        FileSizeLimit limit(10000);
        return xmlexport::SaveCsvFile(path, content);
    }();

    EXPECT_FALSE(saved);
    EXPECT_EQ(TempFolder::Read(path), "old,file\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path("")), {}), 1);
    EXPECT_FALSE(xmlexport::SaveCsvFile(folder.Path("no/such/folder.csv"), content));
}
