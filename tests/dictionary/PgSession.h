#pragma once

// A libpq session that uses the dictionary as the library's connection does:
// the set-up SQL after logon, the prepare SQL before each statement, then the
// statement itself through the extended protocol.

#include "ocipg/dictionary/Dictionary.h"
#include "tests/support/TestFixture.h"

#include <libpq-fe.h>

#include <memory>
#include <string>
#include <vector>

namespace dicttest {

struct Result {
    bool bOk = false;
    std::string strSqlState;
    std::string strError;
    std::vector<std::string> columns;            // names as the library reports them
    std::vector<std::vector<std::string>> rows;  // "NULL" for NULL
    int ColumnIndex(const std::string& name) const;
    std::string Cell(size_t row, const std::string& column) const;
};

class PgSession {
public:
    PgSession(const std::string& user, const std::string& password);
    bool Connected() const;
    std::string Error() const;

    // Runs one statement as the library runs it.
    Result Run(const std::string& statement);

    // Runs SQL of the test's own, bypassing the dictionary.
    Result Raw(const std::string& sql);

private:
    std::unique_ptr<PGconn, void (*)(PGconn*)> m_pConn;
    std::unique_ptr<ocipg::Dictionary> m_pDictionary;
};

using testfixture::AdminValue;

// The names a statement's select list gives, as the library reports them.
std::vector<std::string> SelectListNames(const std::string& statement);

}  // namespace dicttest
