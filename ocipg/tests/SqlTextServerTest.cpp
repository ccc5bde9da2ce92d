// The scanner against the server it stands in front of: where it sees one
// statement, PostgreSQL sees one.

#include "ocipg/OraError.h"
#include "ocipg/SqlText.h"
#include "ocipg/tests/OcipgTest.h"

#include <libpq-fe.h>

#include <cstring>

namespace ocitest {
namespace {

// Whether the server's extended protocol refuses the text as several
// statements; connected as the library connects, with standard strings.
bool ServerSeesSeveral(PGconn* conn, const std::string& text)
{
    PGresult* result = PQprepare(conn, "", text.c_str(), 0, nullptr);
    const char* message = PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY);
    const bool several = message && std::strstr(message, "cannot insert multiple commands") != nullptr;
    PQclear(result);
    return several;
}

TEST(SqlTextOnTheServer, OneStatementForTheScannerIsOneForTheServer)
{
    const std::pair<const char*, bool> cases[] = {
        {"select e'a'\n'\\'; select 2 --'", false},
        {"select e'a' || '\\'; select 2 --'", true},
        {"select e'\\\\'; select 2 --'", true},
        {"select 'a\\'; select 2 --'", true},
        {"select 'a' \n'b; select 2'", false},
        {"select 1 -- x\r; select 2", true},
        {"select 1 /* ; /* ; */ ; */ ; select 2", true},
        {"select 'a;' as \"b;\" /* ; /* ; */ ; */ -- ;", false},
        {"select xe'\\'; select 2 --'", true},
        {"select a$x$; select '$x$'", true},
        {"select $x$; select 2$x$", false},
        {"select 1$x$; select 2$x$", false},
        {"select u&'\\0061;'; select 2", true},
        {"select 1;", false},
    };
    PGconn* conn = PQconnectdb((AdminConnInfo() + " options='-c standard_conforming_strings=on'").c_str());
    ASSERT_EQ(PQstatus(conn), CONNECTION_OK) << PQerrorMessage(conn);
    for (const auto& [text, several] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ServerSeesSeveral(conn, text), several);
        EXPECT_EQ(ocipg::ScanSql(text).m_nRefusal == ocipg::kOraInvalidCharacter, several);
    }
    PQfinish(conn);
}

}  // namespace
}  // namespace ocitest
