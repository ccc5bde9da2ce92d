#include <gtest/gtest.h>

#include <sys/stat.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/support/TestSupport.h"
#include "settings/TnsNamesParser.h"
#include "settings/TnsNamesReader.h"

using settings::TnsNamesParser;
using settings::TnsNamesReader;

namespace {

std::vector<std::string> Parse(const std::string& text)
{
    TnsNamesParser parser;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line))
        parser.AddLine(line);
    return parser.Names();
}

// Candidate paths given as they are.
class FixedLookup : public platform::OracleHomeLookup {
public:
    explicit FixedLookup(std::vector<std::string> paths) : m_arrPaths(std::move(paths)) {}
    std::vector<std::string> TnsNamesCandidates() const override { return m_arrPaths; }

private:
    std::vector<std::string> m_arrPaths;
};

}  // namespace

TEST(TnsNamesParser, Entries)
{
    using Names = std::vector<std::string>;
    struct Case {
        const char* text;
        Names expected;
    };
    const Case cases[] = {
        {"A = (DESCRIPTION = (ADDRESS = (PORT = 1521)))\n"
         "B=(x)\n"
         "MY DB = (x)\n"
         "C = (x) D = (y)\n"
         "#a comment line; the next one is not a comment\n"
         "E = (DESCRIPTION = (x) # note (y)\n"
         "  )\n"
         "IFILE = other.ora\n"
         "F = (x)\n"
         "(x)\n"
         "A = (x)\n",
         {"A", "B", "MY DB", "C", "E", "IFILE", "", "A"}},
        // A stray ')' keeps the entry open until an extra '(' evens it.
        {"X = )\nY = (a)\nZ = (b)\n(\nW = (c)\n", {"X", "W"}},
        {"X = )\nY = (a)\n", {}},
        {"\r\n \t\nCRLF = (a)\r\n", {"CRLF"}},
        {"  N \t\v= (a)", {"N"}},
        {"NAME(a) = (b)\n", {"NAME(a)"}},
        {"OPEN = (a\n", {}},
        {"   # indented comment (\nK = (a)\n", {"K"}},
        {"lower.case = (a)\nlower.case = (b)\n", {"lower.case", "lower.case"}},
        {"\xC4\xD6 = (a)\n", {"\xC4\xD6"}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Parse(c.text), c.expected) << c.text;
}

TEST(TnsNamesReader, FirstExistingCandidateElseTheLast)
{
    TempFolder folder;
    const std::string one = folder.Put("one/tnsnames.ora", "ONE = (a)\n");
    const std::string two = folder.Put("two/tnsnames.ora", "TWO = (a)\nTWO_B = (b)\n");
    const std::string none = folder.Path("none/tnsnames.ora");
    using Names = std::vector<std::string>;

    EXPECT_EQ(TnsNamesReader(FixedLookup({none, one, two})).Names(), Names{"ONE"});
    EXPECT_EQ(TnsNamesReader(FixedLookup({none, two})).Names(), (Names{"TWO", "TWO_B"}));
    EXPECT_EQ(TnsNamesReader(FixedLookup({none, none})).Names(), Names{});
    EXPECT_EQ(TnsNamesReader(FixedLookup({})).Names(), Names{});
    // A folder where the file should be gives no names and no failure.
    EXPECT_EQ(TnsNamesReader(FixedLookup({folder.Path("one")})).Names(), Names{});
    // Nor does a FIFO (no wait for a writer) or an endless device.
    const std::string fifo = folder.Path("fifo.ora");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(TnsNamesReader(FixedLookup({fifo})).Names(), Names{});
    EXPECT_EQ(TnsNamesReader(FixedLookup({"/dev/zero"})).Names(), Names{});
}
