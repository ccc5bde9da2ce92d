// Connect strings resolved to addresses: Easy Connect, descriptors, tnsnames.ora as Oracle's client reads it.
#include "ocipg/ConnectString.h"
#include "ocipg/tests/support/TestFixture.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

// An entry of tnsnames.ora for the database named as its first name, in lower case.
std::string Entry(const std::string& names, const std::string& protocol = "TCP")
{
    std::string db;
    for (char c : names.substr(0, names.find(',')))
        db += static_cast<char>(std::tolower(c));
    return names + " =\n  (DESCRIPTION =\n    (ADDRESS = (PROTOCOL = " + protocol +
           ")(HOST = h)(PORT = 1))\n    (CONNECT_DATA = (SERVICE_NAME = " + db + "))\n  )\n";
}

// A folder of the test's own, TNS_ADMIN and ORACLE_HOME pointing nowhere else.
class ConnectString : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/ocipg-connect-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
        m_tnsAdmin.emplace("TNS_ADMIN", m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    void Write(const std::string& name, const std::string& text) { std::ofstream(m_dir + "/" + name) << text; }
    // The targets as "host:port/database", " tls" added for TCPS, joined by ", "; or the error's number.
    std::string Resolved(const std::string& text)
    {
        std::vector<ocipg::ConnectTarget> targets;
        const sb4 code = ocipg::ResolveConnectString(text, targets);
        std::string shown;
        for (const ocipg::ConnectTarget& target : targets)
            shown += (shown.empty() ? "" : ", ") + target.m_strHost + ":" + std::to_string(target.m_nPort) + "/" +
                     target.m_strDatabase + (target.m_bTls ? " tls" : "");
        return code ? std::to_string(code) : shown;
    }

    std::string m_dir;
    std::optional<ocitest::ScopedEnv> m_tnsAdmin;
    ocitest::ScopedEnv m_oracleHome{"ORACLE_HOME", std::nullopt};
};

TEST_F(ConnectString, EasyConnectAndDescriptors)
{
    const std::string sock = m_dir;  // a socket folder: its port is the socket's
    Write(".s.PGSQL.6543", "");
    const std::pair<std::string, std::string> cases[] = {
        {"db.example:1521/orcl", "db.example:1521/orcl"},
        {"//db.example/orcl", "db.example:5432/orcl"},
        {"db.example:1521", "db.example:1521/"},
        {sock + ":7000/db", sock + ":7000/db"},
        {sock + "/db", sock + ":6543/db"},
        {sock, sock + ":6543/"},
        {"/nonexistent/db", "/nonexistent:5432/db"},
        {"(DESCRIPTION = (ADDRESS = (PROTOCOL = TCP)(HOST = h)(PORT = 1521))(CONNECT_DATA = (SERVICE_NAME = s)))",
         "h:1521/s"},
        {"(description = (address = (protocol = tcps)(host = h)) (connect_data = (sid = s)))", "h:5432/s tls"},
        {"(DESCRIPTION = (ADDRESS = (PROTOCOL = IPC)(KEY = " + sock + "))(CONNECT_DATA = (SID = s)(SERVICE_NAME = n)))",
         sock + ":6543/n"},
        {"(DESCRIPTION = (ADDRESS_LIST = (ADDRESS = (PROTOCOL = TCP)(HOST = a)(PORT = 1))"
         "(ADDRESS = (PROTOCOL = TCP)(HOST = b)(PORT = 2))))",
         "a:1/, b:2/"},
        {"(DESCRIPTION_LIST = (DESCRIPTION = (ADDRESS = (PROTOCOL = TCP)(HOST = a))(CONNECT_DATA = (SID = x)))"
         "(DESCRIPTION = (ADDRESS = (PROTOCOL = TCP)(HOST = b))(CONNECT_DATA = (SID = y))))",
         "a:5432/x, b:5432/y"},
        {"(DESCRIPTION = # a comment\n  (ADDRESS = (PROTOCOL = TCP)(HOST = h)))", "h:5432/"},
        {"", "12162"},
        {"  \t", "12162"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(Resolved(text), expected) << text;
    // No such alias (there is no tnsnames.ora), malformed, or nothing to try.
    const std::string unresolved[] = {"NOSUCHALIAS", "db.example:/orcl", "db.example:15x/orcl", ":1521/orcl", "//",
                                      "(", ")", ":", "a:", "(ADDRESS = (PROTOCOL = IPC))", std::string(10000, '('),
                                      "(DESCRIPTION = (ADDRESS = (PROTOCOL = BEQ)(PROGRAM = oracle)))",
                                      "(DESCRIPTION = (CONNECT_DATA = (SID = s)))",
                                      "(DESCRIPTION = (ADDRESS = (PROTOCOL = TCP)(HOST = h)"};
    for (const std::string& text : unresolved)
        EXPECT_EQ(Resolved(text), "12154") << text.substr(0, 80);
}

TEST_F(ConnectString, TnsNamesEntriesIncludesAndBrokenEntries)
{
    fs::create_directories(m_dir + "/sub");
    Write("tnsnames.ora",
          "# An entry begins in column 1; its other lines are indented.\n" + Entry("FIRST, second.example") +
              "BROKEN = (DESCRIPTION = (ADDRESS = (PROTOCOL = IPC)(KEY = /x))\n"
              "  (CONNECT_DATA = (SERVICE_NAME = broken))\n" +
              Entry("AFTER_BROKEN") +
              "CUT =\n  (DESCRIPTION =\n(ADDRESS = (PROTOCOL = IPC)(KEY = /x))\n"
              "    (CONNECT_DATA = (SERVICE_NAME = cut)))\n" +
              Entry("AFTER_CUT") + "NO_EQUALS_SIGN (DESCRIPTION = (ADDRESS = (PROTOCOL = IPC)(KEY = /x)))\n" +
              "TWICE = (DESCRIPTION = (ADDRESS = (PROTOCOL = IPC)(KEY = /x)) junk\n" + Entry("TWICE") +
              "IFILE = sub/relative.ora   # from this file's folder\n"
              "IFILE = " + m_dir + "/sub/absolute.ora\n"
              "IFILE = missing.ora\n" +
              Entry("AFTER_MISSING") +
              "ifile = loop_a.ora\n"
              "IFILE = level1.ora\n" +
              Entry("SECURE", "TCPS") + Entry("LAST"));
    Write("sub/relative.ora", Entry("RELATIVE") + "IFILE = nested.ora\n");
    Write("sub/nested.ora", Entry("NESTED"));
    Write("sub/absolute.ora", Entry("ABSOLUTE"));
    Write("loop_a.ora", Entry("LOOP_A") + "IFILE = loop_b.ora\n");
    Write("loop_b.ora", "IFILE = loop_a.ora\n" + Entry("LOOP_B"));
    for (int level = 1; level <= 9; ++level)
        Write("level" + std::to_string(level) + ".ora",
              Entry("LEVEL" + std::to_string(level)) + "IFILE = level" + std::to_string(level + 1) + ".ora\n");
    // Any case; after a broken entry; the second of two with one name; included relatively, absolutely, after a
    // missing include, in a loop, eight deep.
    for (const std::string alias : {"first", "after_broken", "after_cut", "twice", "relative", "nested", "absolute",
                                    "after_missing", "loop_a", "loop_b", "level8", "last"})
        EXPECT_EQ(Resolved(alias), "h:1/" + alias) << alias;
    EXPECT_EQ(Resolved("SECOND.EXAMPLE"), "h:1/first");
    EXPECT_EQ(Resolved("SECURE"), "h:1/secure tls");
    // Not read: a name without its domain, unbalanced parentheses, an entry's line in column 1, the ninth include.
    for (const char* alias : {"SECOND", "BROKEN", "CUT", "LEVEL9", "IFILE", "NO_EQUALS_SIGN"})
        EXPECT_EQ(Resolved(alias), "12154") << alias;
    // $ORACLE_HOME/network/admin when TNS_ADMIN has none.
    fs::create_directories(m_dir + "/home/network");
    fs::create_directory_symlink(m_dir, m_dir + "/home/network/admin");
    ocitest::ScopedEnv noTnsAdmin("TNS_ADMIN", "/nonexistent");
    ocitest::ScopedEnv oracleHome("ORACLE_HOME", m_dir + "/home");
    EXPECT_EQ(Resolved("LAST"), "h:1/last");
}

}  // namespace
