#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"
#include "settings/TnsNamesReader.h"

using Names = std::vector<std::string>;

// The names read with these candidate paths.
static Names Read(std::vector<std::string> paths)
{
    class FixedLookup : public platform::OracleHomeLookup {
    public:
        explicit FixedLookup(std::vector<std::string> paths) : m_arrPaths(std::move(paths)) {}
        std::vector<std::string> TnsNamesCandidates() const override { return m_arrPaths; }

    private:
        std::vector<std::string> m_arrPaths;
    };
    return settings::TnsNamesReader(FixedLookup(std::move(paths))).Names();
}

TEST(TnsNames, EntriesOfAFile)
{
    TempFolder folder;
    const std::pair<const char*, Names> cases[] = {
        {"A = (DESCRIPTION = (ADDRESS = (PORT = 1521)))\nB=(x)\nMY DB = (x)\nC = (x) D = (y)\n"
         "#a comment line; the next one is not a comment\nE = (DESCRIPTION = (x) # note (y)\n  )\n"
         "IFILE = other.ora\nF = (x)\n(x)\nA = (x)\n",
         {"A", "B", "MY DB", "C", "E", "IFILE", "", "A"}},
        // A stray ')' keeps the entry open until an extra '(' evens it.
        {"X = )\nY = (a)\nZ = (b)\n(\nW = (c)\n", {"X", "W"}},
        {"X = )\nY = (a)\n", {}}, {"\r\n \t\nCRLF = (a)\r\n", {"CRLF"}}, {"  N \t\v= (a)", {"N"}},
        {"NAME(a) = (b)\n", {"NAME(a)"}}, {"OPEN = (a\n", {}}, {"   # indented comment (\nK = (a)\n", {"K"}},
        {"lower.case = (a)\nlower.case = (b)\n", {"lower.case", "lower.case"}}, {"\xC4\xD6 = (a)\n", {"\xC4\xD6"}},
        {"", {}},
    };
    for (const auto& [text, names] : cases)
        EXPECT_EQ(Read({folder.Put("tnsnames.ora", text)}), names) << text;
}

// The first candidate that exists, else the last; what is no regular file gives no
// names and no failure: a folder, an endless device.
TEST(TnsNames, FirstExistingCandidateElseTheLast)
{
    TempFolder folder;
    const std::string one = folder.Put("one/tnsnames.ora", "ONE = (a)\n");
    const std::string two = folder.Put("two/tnsnames.ora", "TWO = (a)\nTWO_B = (b)\n");
    const std::string none = folder.Path("none/tnsnames.ora");
    EXPECT_EQ(Read({none, one, two}), Names{"ONE"});
    EXPECT_EQ(Read({none, two}), (Names{"TWO", "TWO_B"}));
    for (const Names& paths : {Names{none, none}, Names{}, Names{folder.Path("one")}, Names{"/dev/zero"}})
        EXPECT_EQ(Read(paths), Names{}) << ::testing::PrintToString(paths);
}
