#include <gtest/gtest.h>

#include <functional>

#include "controls/ResultListContent.h"
#include "export/CsvExportWriter.h"
#include "export/XmlExportWriter.h"
#include "export/XslStylesheetWriter.h"
#include "tests/support/TestSupport.h"

namespace fs = std::filesystem;
using namespace xmlexport;

// Byte for byte, and shown by a real XSLT processor: every header and cell
// arrive in the HTML table, non-ASCII text included.
TEST(XmlWriters, WorkedExampleRendersWithXsltproc)
{
    TempFolder folder;
    const char* headers[] = {"OWNER", "COUNT(*)"};
    const char* rows[][2] = {{"Z\xC3\xBCrich", "14"}, {"R&D <test>", "#2"}};
    XslStylesheetWriter style("UTF-8");
    ASSERT_EQ(style.Open(folder.Path("emp.xsl")), kWriterOk);
    for (const char* header : headers)
        EXPECT_EQ(style.WriteHeaderCell(header), kWriterOk);
    EXPECT_EQ(style.WriteRowTemplateStart(), kWriterOk);
    for (const char* header : headers)
        EXPECT_EQ(style.WriteValueCell(header), kWriterOk);
    EXPECT_EQ(style.Close(), kWriterOk);

    XmlExportWriter data("UTF-8");
    ASSERT_EQ(data.Open(folder.Path("emp.xml"), "emp.xsl"), kWriterOk);
    for (const auto& row : rows) {
        EXPECT_EQ(data.WriteRowStart(), kWriterOk);
        for (int column = 0; column < 2; ++column)
            EXPECT_EQ(data.WriteField(headers[column], row[column]), kWriterOk);
        EXPECT_EQ(data.WriteRowEnd(), kWriterOk);
    }
    EXPECT_EQ(data.Close(), kWriterOk);
    EXPECT_EQ(TempFolder::Read(folder.Path("emp.xml")),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<?xml-stylesheet type=\"text/xsl\" href=\"emp.xsl\"?>\n"
              "<doc>\n  <row>\n    <OWNER>Z\xC3\xBCrich</OWNER>\n    <COUNT___>14</COUNT___>\n  </row>\n"
              "  <row>\n    <OWNER>R&#38;D &#60;test&#62;</OWNER>\n    <COUNT___>&#35;2</COUNT___>\n  </row>\n"
              "</doc>\n");
    EXPECT_EQ(TempFolder::Read(folder.Path("emp.xsl")),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<xsl:stylesheet xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\" version=\"1.0\">\n"
              "<xsl:template match=\"/\">\n  <html>\n  <body bgcolor=\"#FFFFFF\" text=\"#000000\">\n"
              "    <table border=\"3\">\n      <tr>\n       <th>OWNER</th>\n       <th>COUNT___</th>\n      </tr>\n"
              "      <xsl:for-each select=\"doc/row\">\n      <tr>\n"
              "       <td><xsl:value-of select=\"OWNER\"/></td>\n       <td><xsl:value-of select=\"COUNT___\"/></td>\n"
              "      </tr>\n      </xsl:for-each>\n    </table>\n  </body>\n  </html>\n</xsl:template>\n"
              "</xsl:stylesheet>\n");
    const std::string command = "cd '" + folder.Path("") + "' && xsltproc emp.xsl emp.xml >emp.html 2>errors";
    ASSERT_EQ(std::system(command.c_str()), 0) << TempFolder::Read(folder.Path("errors"));
    const std::string html = TempFolder::Read(folder.Path("emp.html"));
    for (const char* text : {"<th>OWNER</th>", "<th>COUNT___</th>", "<td>Z\xC3\xBCrich</td>", "<td>14</td>",
                             "<td>R&amp;D &lt;test&gt;</td>", "<td>#2</td>"})
        EXPECT_NE(html.find(text), std::string::npos) << text << "\n" << html;
}

// Closed by the destructor, the open row left open; texts converted from the source set.
// Opened twice, or written to when not open, a writer refuses.
TEST(XmlWriters, ClosedOnDestructionAndRefusedWhenNotOpen)
{
    TempFolder folder;
    {
        XmlExportWriter data("ISO-8859-1");
        ASSERT_EQ(data.Open(folder.Path("out.xml"), "R&D \"\xE9\".xsl"), kWriterOk);
        data.WriteRowStart();
        data.WriteField("NAME \xC9", "caf\xE9");
    }
    EXPECT_EQ(TempFolder::Read(folder.Path("out.xml")),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<?xml-stylesheet type=\"text/xsl\" href=\"R&#38;D &#34;\xC3\xA9&#34;.xsl\"?>\n"
              "<doc>\n  <row>\n    <NAME_\xC3\x89>caf\xC3\xA9</NAME_\xC3\x89>\n</doc>\n");

    const std::string path = folder.Put("old.xml", "old content that must go away entirely");
    XmlExportWriter data("UTF-8");
    ASSERT_EQ(data.Open(path, ""), kWriterOk);
    EXPECT_EQ(data.Open(folder.Path("other.xml"), ""), kWriterAlreadyOpen);
    EXPECT_FALSE(fs::exists(folder.Path("other.xml")));
    EXPECT_EQ(data.Close(), kWriterOk);
    EXPECT_EQ(TempFolder::Read(path), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<doc>\n</doc>\n");

    XmlExportWriter failed("UTF-8");
    EXPECT_EQ(failed.Open(folder.Path("no/such/folder.xml"), "x.xsl"), kWriterFailed);
    XslStylesheetWriter style("UTF-8");
    EXPECT_EQ(style.Open(folder.Path("")), kWriterFailed);
    for (int nResult : {data.Close(), data.WriteRowStart(), failed.WriteRowStart(), failed.WriteField("A", "b"),
                        failed.WriteRowEnd(), failed.Close(), style.WriteHeaderCell("A"), style.WriteRowTemplateStart(),
                        style.WriteValueCell("A"), style.Close()})
        EXPECT_EQ(nResult, kWriterFailed);
    ASSERT_EQ(style.Open(folder.Path("s.xsl")), kWriterOk);
    EXPECT_EQ(style.Open(folder.Path("s.xsl")), kWriterAlreadyOpen);
}

// The writers save through a temporary file: a save that fails (a full disk part-way, no
// folder, what is no regular file) leaves the old file as it was and nothing else; a
// complete one replaces it through a link to it, keeping its mode.
TEST(ExportFiles, OnlyACompleteSaveReplacesTheOldFile)
{
    const std::string value(60000, 'v');
    controls::ResultListContent content;
    content.SetColumns({"V"});
    content.AppendRow({value});
    // Each saves the list, some 60 kB; true when all of it is saved.
    const std::function<bool(const std::string&)> writers[] = {
        [&](const std::string& path) { return SaveCsvFile(path, content); },
        [&](const std::string& path) {
            XmlExportWriter data("UTF-8");
            data.Open(path, "");
            data.WriteRowStart();
            data.WriteField("V", value);
            data.WriteRowEnd();
            return data.Close() == kWriterOk;
        },
    };
    for (const auto& save : writers) {
        SCOPED_TRACE(&save == writers ? "csv" : "xml");
        TempFolder folder;
        const std::string path = folder.Put("old", "old");
        const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write;
        fs::permissions(path, mode);
        fs::create_symlink(path, folder.Path("link"));
        {
            FileSizeLimit limit(10000);
            EXPECT_FALSE(save(folder.Path("link")));
        }
        for (const std::string& failing : {folder.Path("no/such/folder"), folder.Path(""), std::string("/dev/null")})
            EXPECT_FALSE(save(failing)) << failing;
        EXPECT_EQ(TempFolder::Read(path), "old");
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path("")), {}), 2);

        EXPECT_TRUE(save(folder.Path("link")));
        EXPECT_GT(fs::file_size(path), 60000u);
        EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, mode);
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path("")), {}), 2);
    }
}
