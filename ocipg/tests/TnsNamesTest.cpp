// tnsnames.ora as Oracle's client reads it; no server needed.
#include "ocipg/ConnectString.h"
#include "ocipg/tests/support/TestFixture.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

std::string Entry(const std::string& name, const std::string& database, const char* protocol = "IPC")
{
    const std::string address = std::string(protocol) == "IPC"
                                    ? "(ADDRESS = (PROTOCOL = IPC)(KEY = /nonexistent))"
                                    : "(ADDRESS = (PROTOCOL = " + std::string(protocol) + ")(HOST = db.example)(PORT = 2484))";
    return name + " =\n  (DESCRIPTION =\n    " + address + "\n    (CONNECT_DATA = (SERVICE_NAME = " + database +
           "))\n  )\n";
}

class TnsNamesFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/ocipg-tnsnames-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
        fs::create_directories(m_dir / "sub");
        fs::create_directories(m_dir / "elsewhere");
        Write("tnsnames.ora",
              "# An entry begins in column 1; its other lines are indented.\n" +
                  Entry("FIRST", "first") +
                  "BROKEN = (DESCRIPTION = (ADDRESS = (PROTOCOL = IPC)(KEY = /x))\n"
                  "  (CONNECT_DATA = (SERVICE_NAME = broken))\n" +
                  Entry("AFTER_BROKEN", "after_broken") +
                  "CUT =\n  (DESCRIPTION =\n(ADDRESS = (PROTOCOL = IPC)(KEY = /x))\n"
                  "    (CONNECT_DATA = (SERVICE_NAME = cut)))\n" +
                  Entry("AFTER_CUT", "after_cut") + "NO_EQUALS_SIGN (DESCRIPTION = (ADDRESS = (PROTOCOL = IPC)(KEY = /x)))\n" +
                  "TWICE = (DESCRIPTION = (ADDRESS = (PROTOCOL = IPC)(KEY = /x)) junk\n" + Entry("TWICE", "twice") +
                  "IFILE = sub/relative.ora   # from this file's folder\n"
                  "IFILE = " + (m_dir / "elsewhere/absolute.ora").string() + "\n"
                  "IFILE = missing.ora\n" +
                  Entry("AFTER_MISSING", "after_missing") +
                  "ifile = loop_a.ora\n"
                  "IFILE = level1.ora\n" +
                  Entry("SECURE", "secure", "TCPS") + Entry("PLAIN", "plain", "TCP") + Entry("LAST", "last"));
        Write("sub/relative.ora", Entry("RELATIVE", "relative") + "IFILE = nested.ora\n");
        Write("sub/nested.ora", Entry("NESTED", "nested"));
        Write("elsewhere/absolute.ora", Entry("ABSOLUTE", "absolute"));
        Write("loop_a.ora", Entry("LOOP_A", "loop_a") + "IFILE = loop_b.ora\n");
        Write("loop_b.ora", "IFILE = loop_a.ora\n" + Entry("LOOP_B", "loop_b"));
        for (int level = 1; level <= 9; ++level)
            Write("level" + std::to_string(level) + ".ora",
                  Entry("LEVEL" + std::to_string(level), "level" + std::to_string(level)) + "IFILE = level" +
                      std::to_string(level + 1) + ".ora\n");
    }
    void TearDown() override { fs::remove_all(m_dir); }

    void Write(const std::string& name, const std::string& text) { std::ofstream(m_dir / name) << text; }

    fs::path m_dir;
};

TEST_F(TnsNamesFiles, EntriesIncludesAndBrokenEntries)
{
    const struct {
        const char* m_szAlias;
        const char* m_szDatabase;  // null: ORA-12154
        bool m_bTls;
    } cases[] = {
        {"FIRST", "first", false},
        {"BROKEN", nullptr, false},  // unbalanced parentheses
        {"AFTER_BROKEN", "after_broken", false},
        {"CUT", nullptr, false},  // a line of it begins in column 1
        {"AFTER_CUT", "after_cut", false},
        {"TWICE", "twice", false},  // the first one cannot be read
        {"RELATIVE", "relative", false},
        {"NESTED", "nested", false},
        {"ABSOLUTE", "absolute", false},
        {"AFTER_MISSING", "after_missing", false},
        {"LOOP_A", "loop_a", false},
        {"LOOP_B", "loop_b", false},
        {"LEVEL1", "level1", false},
        {"LEVEL8", "level8", false},
        {"LEVEL9", nullptr, false},  // the ninth include is not read
        {"SECURE", "secure", true},
        {"PLAIN", "plain", false},
        {"LAST", "last", false},
        {"IFILE", nullptr, false},
        {"NO_EQUALS_SIGN", nullptr, false},
    };
    ocitest::ScopedEnv tnsAdmin("TNS_ADMIN", m_dir.string());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.m_szAlias);
        std::vector<ocipg::ConnectTarget> targets;
        const sb4 code = ocipg::ResolveConnectString(c.m_szAlias, targets);
        if (!c.m_szDatabase) {
            EXPECT_EQ(code, 12154);
            continue;
        }
        ASSERT_EQ(code, 0);
        ASSERT_EQ(targets.size(), 1u);
        EXPECT_EQ(targets[0].m_strDatabase, c.m_szDatabase);
        EXPECT_EQ(targets[0].m_bTls, c.m_bTls);
    }
}

}  // namespace
