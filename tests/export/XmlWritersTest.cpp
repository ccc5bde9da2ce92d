#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <optional>

#include "export/XmlExportWriter.h"
#include "export/XslStylesheetWriter.h"
#include "tests/support/TestSupport.h"

using xmlexport::kWriterAlreadyOpen;
using xmlexport::kWriterFailed;
using xmlexport::kWriterOk;
using xmlexport::XmlExportWriter;
using xmlexport::XslStylesheetWriter;

TEST(XmlWriters, WorkedExampleByteForByte)
{
    TempFolder folder;
    const std::string dataPath = folder.Path("emp.xml");
    const std::string stylePath = folder.Path("emp.xsl");
    const char* headers[] = {"OWNER", "COUNT(*)"};
    const char* rows[][2] = {{"SCOTT", "14"}, {"R&D <test>", "#2"}};
    {
        XslStylesheetWriter style("UTF-8");
        ASSERT_EQ(style.Open(stylePath), kWriterOk);
        for (const char* header : headers)
            EXPECT_EQ(style.WriteHeaderCell(header), kWriterOk);
        EXPECT_EQ(style.WriteRowTemplateStart(), kWriterOk);
        for (const char* header : headers)
            EXPECT_EQ(style.WriteValueCell(header), kWriterOk);
        EXPECT_EQ(style.Close(), kWriterOk);

        XmlExportWriter data("UTF-8");
        ASSERT_EQ(data.Open(dataPath, "emp.xsl"), kWriterOk);
        for (const auto& row : rows) {
            EXPECT_EQ(data.WriteRowStart(), kWriterOk);
            for (int column = 0; column < 2; ++column)
                EXPECT_EQ(data.WriteField(headers[column], row[column]), kWriterOk);
            EXPECT_EQ(data.WriteRowEnd(), kWriterOk);
        }
        EXPECT_EQ(data.Close(), kWriterOk);
    }
    EXPECT_EQ(TempFolder::Read(dataPath),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<?xml-stylesheet type=\"text/xsl\" href=\"emp.xsl\"?>\n"
              "<doc>\n"
              "  <row>\n"
              "    <OWNER>SCOTT</OWNER>\n"
              "    <COUNT___>14</COUNT___>\n"
              "  </row>\n"
              "  <row>\n"
              "    <OWNER>R&#38;D &#60;test&#62;</OWNER>\n"
              "    <COUNT___>&#35;2</COUNT___>\n"
              "  </row>\n"
              "</doc>\n");
    EXPECT_EQ(TempFolder::Read(stylePath),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<xsl:stylesheet xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\" version=\"1.0\">\n"
              "<xsl:template match=\"/\">\n"
              "  <html>\n"
              "  <body bgcolor=\"#FFFFFF\" text=\"#000000\">\n"
              "    <table border=\"3\">\n"
              "      <tr>\n"
              "       <th>OWNER</th>\n"
              "       <th>COUNT___</th>\n"
              "      </tr>\n"
              "      <xsl:for-each select=\"doc/row\">\n"
              "      <tr>\n"
              "       <td><xsl:value-of select=\"OWNER\"/></td>\n"
              "       <td><xsl:value-of select=\"COUNT___\"/></td>\n"
              "      </tr>\n"
              "      </xsl:for-each>\n"
              "    </table>\n"
              "  </body>\n"
              "  </html>\n"
              "</xsl:template>\n"
              "</xsl:stylesheet>\n");
}

TEST(XmlWriters, WithoutStylesheetAndClosingOnDestruction)
{
    TempFolder folder;
    const std::string path = folder.Put("out.xml", "old content that must go away entirely");
    {
        XmlExportWriter data("UTF-8");
        ASSERT_EQ(data.Open(path, ""), kWriterOk);
        data.WriteRowStart();
        data.WriteField("", "");
        data.WriteField("V", "line\nfeed");
    }
    EXPECT_EQ(TempFolder::Read(path),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<doc>\n  <row>\n    <></>\n"
              "    <V>line\nfeed</V>\n</doc>\n");
}

TEST(XmlWriters, OpenTwiceAndWritesWhenNotOpen)
{
    TempFolder folder;
    const std::string path = folder.Path("out.xml");
    XmlExportWriter data("UTF-8");
    ASSERT_EQ(data.Open(path, ""), kWriterOk);
    EXPECT_EQ(data.Open(folder.Path("other.xml"), ""), kWriterAlreadyOpen);
    EXPECT_FALSE(std::filesystem::exists(folder.Path("other.xml")));
    EXPECT_EQ(data.Close(), kWriterOk);
    EXPECT_EQ(data.Close(), kWriterFailed);
    EXPECT_EQ(data.WriteRowStart(), kWriterFailed);
    EXPECT_EQ(TempFolder::Read(path), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<doc>\n</doc>\n");

    XmlExportWriter failed("UTF-8");
    EXPECT_EQ(failed.Open(folder.Path("no/such/folder.xml"), "x.xsl"), kWriterFailed);
    XslStylesheetWriter style("UTF-8");
    EXPECT_EQ(style.Open(folder.Path("")), kWriterFailed);
    for (int nResult : {failed.WriteRowStart(), failed.WriteField("A", "b"), failed.WriteRowEnd(), failed.Close(),
                        style.WriteHeaderCell("A"), style.WriteRowTemplateStart(), style.WriteValueCell("A"),
                        style.Close()})
        EXPECT_EQ(nResult, kWriterFailed);
    ASSERT_EQ(style.Open(folder.Path("s.xsl")), kWriterOk);
    EXPECT_EQ(style.Open(folder.Path("s.xsl")), kWriterAlreadyOpen);
}

// A write that fails part-way through the rows (here: the file size limit).
TEST(XmlWriters, FailureAfterOpenStopsTheExport)
{
    TempFolder folder;
    const std::string path = folder.Put("out.xml", "a good old file");
    std::optional<FileSizeLimit> limit(300);
    XmlExportWriter data("UTF-8");
    const int nOpen = data.Open(path, "");
    int nRows = 0;
    int nResult = kWriterOk;
    while (nResult == kWriterOk && nRows < 100) {
        nResult = data.WriteRowStart();
        if (nResult == kWriterOk)
            nResult = data.WriteField("NAME", "some value");
        if (nResult == kWriterOk)
            nResult = data.WriteRowEnd();
        ++nRows;
    }
    const int nAfter = data.WriteRowStart();
    const int nClose = data.Close();

    limit.reset();
    EXPECT_EQ(nOpen, kWriterOk);
    EXPECT_EQ(nResult, kWriterFailed);
    EXPECT_GT(nRows, 1);
    EXPECT_LT(nRows, 100);
    EXPECT_EQ(nAfter, kWriterFailed);
    EXPECT_EQ(nClose, kWriterFailed);
    // The old file as it was, and nothing else left in the folder.
    EXPECT_EQ(TempFolder::Read(path), "a good old file");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path("")), {}), 1);
}

// A complete save replaces the old file, through a link to it, keeping its
// mode; what is no regular file is not replaced.
TEST(XmlWriters, CompleteSaveReplacesTheOldFile)
{
    TempFolder folder;
    const std::string path = folder.Put("out.xml", "old");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    std::filesystem::create_symlink(path, folder.Path("link.xml"));
    {
        XmlExportWriter data("UTF-8");
        ASSERT_EQ(data.Open(folder.Path("link.xml"), ""), kWriterOk);
        EXPECT_EQ(TempFolder::Read(path), "old");  // nothing replaced before Close
        EXPECT_EQ(data.Close(), kWriterOk);
    }
    EXPECT_EQ(TempFolder::Read(path), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<doc>\n</doc>\n");
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Path("link.xml")));
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path("")), {}), 2);

    XmlExportWriter device("UTF-8");
    EXPECT_EQ(device.Open("/dev/null", ""), kWriterFailed);
}

// The stylesheet is one that a real XSLT processor runs: every header and
// every cell arrive in the HTML table, non-ASCII text included.
TEST(XmlWriters, StylesheetRendersWithXsltproc)
{
    TempFolder folder;
    const std::pair<std::string, std::string> fields[] = {{"NAME", "Z\xC3\xBCrich"}, {"CITY CODE", "a<b & c"}};
    {
        XslStylesheetWriter style("UTF-8");
        ASSERT_EQ(style.Open(folder.Path("out.xsl")), kWriterOk);
        for (const auto& field : fields)
            style.WriteHeaderCell(field.first);
        style.WriteRowTemplateStart();
        for (const auto& field : fields)
            style.WriteValueCell(field.first);
        ASSERT_EQ(style.Close(), kWriterOk);
        XmlExportWriter data("UTF-8");
        ASSERT_EQ(data.Open(folder.Path("out.xml"), "out.xsl"), kWriterOk);
        for (int row = 0; row < 2; ++row) {
            data.WriteRowStart();
            for (const auto& field : fields)
                data.WriteField(field.first, field.second + std::to_string(row));
            data.WriteRowEnd();
        }
        ASSERT_EQ(data.Close(), kWriterOk);
    }
    const std::string command = "xsltproc -o '" + folder.Path("out.html") + "' '" + folder.Path("out.xsl") + "' '" +
                                folder.Path("out.xml") + "' 2>'" + folder.Path("errors") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << TempFolder::Read(folder.Path("errors"));
    const std::string html = TempFolder::Read(folder.Path("out.html"));
    for (const char* text : {"<th>NAME</th>", "<th>CITY_CODE</th>", "<td>Z\xC3\xBCrich0</td>", "<td>Z\xC3\xBCrich1</td>",
                             "<td>a&lt;b &amp; c0</td>", "<td>a&lt;b &amp; c1</td>"})
        EXPECT_NE(html.find(text), std::string::npos) << text << "\n" << html;
}

TEST(XmlWriters, TextsConvertedAndStylesheetReferenceEscaped)
{
    TempFolder folder;
    const std::string path = folder.Path("out.xml");
    {
        XmlExportWriter data("ISO-8859-1");
        ASSERT_EQ(data.Open(path, "R&D \"\xE9\".xsl"), kWriterOk);
        data.WriteRowStart();
        data.WriteField("NAME \xC9", "caf\xE9");
        data.WriteRowEnd();
    }
    EXPECT_EQ(TempFolder::Read(path),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<?xml-stylesheet type=\"text/xsl\" href=\"R&#38;D &#34;\xC3\xA9&#34;.xsl\"?>\n"
              "<doc>\n  <row>\n    <NAME_\xC3\x89>caf\xC3\xA9</NAME_\xC3\x89>\n  </row>\n</doc>\n");
}
