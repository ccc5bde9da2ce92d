// Connect strings that name no alias: Easy Connect and connect descriptors,
// resolved to the addresses to try; no server needed.
#include "ocipg/ConnectString.h"
#include "ocipg/tests/support/TestFixture.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

// The targets as "host:port/database", " tls" added for TCPS, joined by ", ".
std::string Shown(const std::vector<ocipg::ConnectTarget>& targets)
{
    std::string text;
    for (const ocipg::ConnectTarget& target : targets)
        text += (text.empty() ? "" : ", ") + target.m_strHost + ":" + std::to_string(target.m_nPort) + "/" +
                target.m_strDatabase + (target.m_bTls ? " tls" : "");
    return text;
}

TEST(ConnectString, EasyConnectAndDescriptors)
{
    char pattern[] = "/tmp/ocipg-connect-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string sock = pattern;  // a socket folder: its port is the socket's
    std::ofstream(sock + "/.s.PGSQL.6543");
    ocitest::ScopedEnv tnsAdmin("TNS_ADMIN", sock);  // holds no tnsnames.ora
    ocitest::ScopedEnv oracleHome("ORACLE_HOME", std::nullopt);
    const struct {
        std::string m_strText;
        sb4 m_nCode;
        std::string m_strTargets;
    } cases[] = {
        {"", 12162, ""},
        {"  \t", 12162, ""},
        {"NOSUCHALIAS", 12154, ""},
        {"db.example:1521/orcl", 0, "db.example:1521/orcl"},
        {"//db.example/orcl", 0, "db.example:5432/orcl"},
        {"db.example:1521", 0, "db.example:1521/"},
        {"db.example:/orcl", 12154, ""},
        {"db.example:15x/orcl", 12154, ""},
        {":1521/orcl", 12154, ""},
        {"//", 12154, ""},
        {sock + ":7000/db", 0, sock + ":7000/db"},
        {sock + "/db", 0, sock + ":6543/db"},
        {sock, 0, sock + ":6543/"},
        {"/nonexistent/db", 0, "/nonexistent:5432/db"},
        {"(DESCRIPTION = (ADDRESS = (PROTOCOL = TCP)(HOST = h)(PORT = 1521))(CONNECT_DATA = (SERVICE_NAME = s)))", 0,
         "h:1521/s"},
        {"(description = (address = (protocol = tcps)(host = h)) (connect_data = (sid = s)))", 0, "h:5432/s tls"},
        {"(DESCRIPTION = (ADDRESS = (PROTOCOL = IPC)(KEY = " + sock + "))(CONNECT_DATA = (SID = s)(SERVICE_NAME = n)))",
         0, sock + ":6543/n"},
        {"(DESCRIPTION = (ADDRESS_LIST = (ADDRESS = (PROTOCOL = TCP)(HOST = a)(PORT = 1))"
         "(ADDRESS = (PROTOCOL = TCP)(HOST = b)(PORT = 2))))",
         0, "a:1/, b:2/"},
        {"(DESCRIPTION_LIST = (DESCRIPTION = (ADDRESS = (PROTOCOL = TCP)(HOST = a))(CONNECT_DATA = (SID = x)))"
         "(DESCRIPTION = (ADDRESS = (PROTOCOL = TCP)(HOST = b))(CONNECT_DATA = (SID = y))))",
         0, "a:5432/x, b:5432/y"},
        {"(DESCRIPTION = # a comment\n  (ADDRESS = (PROTOCOL = TCP)(HOST = h)))", 0, "h:5432/"},
        {"(DESCRIPTION = (ADDRESS = (PROTOCOL = BEQ)(PROGRAM = oracle)))", 12154, ""},
        {"(DESCRIPTION = (CONNECT_DATA = (SID = s)))", 12154, ""},
        {"(DESCRIPTION = (ADDRESS = (PROTOCOL = TCP)(HOST = h)", 12154, ""},
        {"(", 12154, ""},
        {")", 12154, ""},
        {":", 12154, ""},
        {"a:", 12154, ""},
        {"(ADDRESS = (PROTOCOL = IPC))", 12154, ""},
        {std::string(10000, '('), 12154, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.m_strText.substr(0, 80));
        std::vector<ocipg::ConnectTarget> targets;
        EXPECT_EQ(ocipg::ResolveConnectString(c.m_strText, targets), c.m_nCode);
        EXPECT_EQ(Shown(targets), c.m_strTargets);
    }
    fs::remove_all(sock);
}

}  // namespace
