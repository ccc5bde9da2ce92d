#pragma once

// The program's OracleSession on libocipg, driven as Lumidex drives it.

#include "oracle/OracleSession.h"
#include "tests/support/TestFixture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sessiontest {

using Rows = std::vector<std::vector<std::string>>;

struct Result {
    SessionResult nStatus = SR_SUCCESS;  // of a failure, or of the fetch that ended the rows
    int nIsQuery = 0;
    int nRowCount = 0;
    int nErrorCode = 0;    // the ORA- number of a failure
    std::string strError;  // of a failure; a value cut short is one
    std::vector<std::string> columns;
    Rows rows;  // "NULL" for NULL
    std::string Cell(size_t row, const std::string& column) const;
    // Cells joined by " ", rows by "\n"; or the error's first line.
    std::string Text() const;
};

class ProgramSession {
public:
    SessionResult Connect(const std::string& user, const std::string& password, LoginMode mode = 0,
                          const std::string& service = "LUMIDEX");
    // Runs the statements split at ';' (the tests' own hold it nowhere else); the result is the last one's or
    // the first failure's. A query is read up to nMaxRows rows and left open.
    Result Run(const std::string& sql, size_t nMaxRows = SIZE_MAX);
    // Up to nMaxRows further rows of the query left open.
    Result Fetch(size_t nMaxRows = SIZE_MAX);
    std::string ErrorText(int* pnCode = nullptr);
    OracleSession* operator->() { return &m_session; }

private:
    testfixture::ScopedEnv m_library{"LUMIDEX_OCI_LIBRARY", testfixture::OcipgLibrary()};
    OracleSession m_session;
    int m_nColumns = 0;  // of the query left open
};

}  // namespace sessiontest
