#include <gtest/gtest.h>

#include "controls/ResultListContent.h"
#include "export/CsvExportWriter.h"
#include "tests/support/TestSupport.h"

// The list as shown, not in the order the rows came in; a field is quoted only when it
// holds a comma, a quote or a line break, or begins or ends with a blank.
TEST(CsvExport, ListInTheShownOrderQuotedWhereNeeded)
{
    TempFolder folder;
    controls::ResultListContent content;
    content.SetColumns({"NAME", "NOTE, LONG", ""});
    content.AppendRow({"O'Brien", "says \"hi\"", "NULL"});
    content.AppendRow({" leading", "two\nlines", "Z\xC3\xBCrich \xE6\x97\xA5\xE6\x9C\xAC"});
    content.AppendRow({"", "a,b", "trailing "});
    content.AppendRow({"in side", "carriage\rreturn", "tab\t"});
    ASSERT_TRUE(content.ReorderRows({2, 0, 1, 3}));
    const std::string path = folder.Path("list.csv");
    ASSERT_TRUE(xmlexport::SaveCsvFile(path, content, "UTF-8"));
    EXPECT_EQ(TempFolder::Read(path), "NAME,\"NOTE, LONG\",\r\n,\"a,b\",\"trailing \"\r\n"
                                      "O'Brien,\"says \"\"hi\"\"\",NULL\r\n"
                                      "\" leading\",\"two\nlines\",Z\xC3\xBCrich \xE6\x97\xA5\xE6\x9C\xAC\r\n"
                                      "in side,\"carriage\rreturn\",\"tab\t\"\r\n");

    controls::ResultListContent empty;
    empty.SetColumns({"A", "B"});
    ASSERT_TRUE(xmlexport::SaveCsvFile(path, empty));
    EXPECT_EQ(TempFolder::Read(path), "A,B\r\n");
}
