#pragma once

// A test OCI client on libocipg that logs on and runs statements as Lumidex does, and the tests' shared helpers.

#include "oci/oci_api.h"
#include "ocipg/tests/support/TestFixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace ocitest {

// The text of record 1 of an error handle, or "" when there is none.
inline std::string ErrorText(OCIError* error, sb4* code = nullptr)
{
    OraText buffer[2048] = {};
    sb4 number = 0;
    if (OCIErrorGet(error, 1, nullptr, &number, buffer, sizeof buffer, OCI_HTYPE_ERROR) != OCI_SUCCESS)
        return {};
    if (code)
        *code = number;
    return reinterpret_cast<char*>(buffer);
}

inline std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

class Session;

// A statement handle of its own, prepared on creation, freed at the end.
class Statement {
public:
    Statement(const Session& session, const std::string& sql);
    ~Statement() { OCIHandleFree(m_pStmt, OCI_HTYPE_STMT); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    OCIStmt* Handle() const { return m_pStmt; }
    sword Prepared() const { return m_nPrepared; }
    sword Set(ub4 attribute, ub4 value)
    {
        return OCIAttrSet(m_pStmt, OCI_HTYPE_STMT, &value, sizeof value, attribute, m_pError);
    }
    ub4 Get(ub4 attribute) const
    {
        ub4 value = 0;
        OCIAttrGet(m_pStmt, OCI_HTYPE_STMT, &value, nullptr, attribute, m_pError);
        return value;
    }
    sword Execute(ub4 iters = 0, ub4 mode = OCI_DEFAULT)
    {
        return OCIStmtExecute(m_pSvc, m_pStmt, m_pError, iters, 0, nullptr, nullptr, mode);
    }
    // A string define; the indicator holds the full length of a value cut.
    sword Define(ub4 position, void* buffer, sb4 size, sb2* indicator, ub2* length = nullptr, ub2* code = nullptr)
    {
        OCIDefine* define = nullptr;
        return OCIDefineByPos(m_pStmt, &define, m_pError, position, buffer, size, SQLT_STR, indicator, length, code,
                              OCI_DEFAULT);
    }
    sword Fetch(ub4 rows = 1) { return OCIStmtFetch(m_pStmt, m_pError, rows, OCI_FETCH_NEXT, OCI_DEFAULT); }

private:
    OCIStmt* m_pStmt = nullptr;
    OCIError* m_pError;
    OCISvcCtx* m_pSvc;
    sword m_nPrepared = OCI_ERROR;
};

struct Column {
    std::string m_strName;
    ub2 m_nDisplaySize = 0;
    ub2 m_nDataType = 0;
};

// Logs on as Lumidex does and runs statements; frees everything at the end.
class Session {
public:
    ~Session() { Disconnect(); }

    sword Connect(const std::string& service, const std::string& user, const std::string& password,
                  ub4 mode = OCI_DEFAULT);
    // For a query: executes without fetching and describes; for anything else: executes with commitMode.
    sword Execute(const std::string& sql, ub4 commitMode = OCI_COMMIT_ON_SUCCESS);
    // One row per call into buffers of display size + 1, as Lumidex does; "NULL" for NULL.
    sword FetchRow(std::vector<std::string>& values)
    {
        values.clear();
        const sword status = m_pQuery->Fetch();
        for (size_t i = 0; status == OCI_SUCCESS && i < m_buffers.size(); ++i)
            values.push_back(m_indicators[i] == -1 ? "NULL" : m_buffers[i].data());
        return status;
    }
    // Execute, then fetch until the end.
    sword Query(const std::string& sql, std::vector<std::vector<std::string>>& rows)
    {
        rows.clear();
        sword status = Execute(sql);
        for (std::vector<std::string> values; status == OCI_SUCCESS && (status = FetchRow(values)) == OCI_SUCCESS;)
            rows.push_back(values);
        return status == OCI_NO_DATA ? OCI_SUCCESS : status;
    }
    // The first value of a query, or "error: " and the error text.
    std::string Value(const std::string& sql)
    {
        std::vector<std::vector<std::string>> rows;
        if (Query(sql, rows) != OCI_SUCCESS)
            return "error: " + Error();
        return rows.empty() ? "" : rows[0].at(0);
    }
    void Disconnect();

    std::string Error(sb4* code = nullptr) const { return ErrorText(m_pError, code); }
    ub4 RowCount() const { return m_nRowCount; }
    const std::vector<Column>& Columns() const { return m_columns; }
    OCIError* ErrorHandle() const { return m_pError; }
    OCIEnv* EnvHandle() const { return m_pEnv; }
    OCISvcCtx* ServiceContext() const { return m_pSvc; }
    const Statement& QueryStatement() const { return *m_pQuery; }

private:
    OCIEnv* m_pEnv = nullptr;
    OCIError* m_pError = nullptr;
    OCIServer* m_pServer = nullptr;
    OCISvcCtx* m_pSvc = nullptr;
    OCISession* m_pSession = nullptr;
    std::unique_ptr<Statement> m_pQuery;
    bool m_bLoggedOn = false;
    std::vector<Column> m_columns;
    std::vector<std::vector<char>> m_buffers;
    std::vector<sb2> m_indicators;
    ub4 m_nRowCount = 0;
};

inline Statement::Statement(const Session& session, const std::string& sql)
    : m_pError(session.ErrorHandle()), m_pSvc(session.ServiceContext())
{
    OCIHandleAlloc(session.EnvHandle(), reinterpret_cast<void**>(&m_pStmt), OCI_HTYPE_STMT, 0, nullptr);
    m_nPrepared = OCIStmtPrepare(m_pStmt, m_pError, reinterpret_cast<const OraText*>(sql.data()),
                                 static_cast<ub4>(sql.size()), OCI_NTV_SYNTAX, OCI_DEFAULT);
}

// A test logged on as hr for its whole length.
class HrTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(m_session.Connect("LUMIDEX", "hr", "hr"), OCI_SUCCESS) << m_session.Error(); }

    Session m_session;
};

// A field of /proc/self/status in kB ("VmHWM:", "VmRSS:"), -1 when missing.
inline long StatusKb(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::string(field).size()));
    return -1;
}

}  // namespace ocitest
