#pragma once

#include "ocipg/tests/OciClient.h"
#include "ocipg/tests/support/TestFixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace ocitest {

inline std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

// An administrator's clean-up statement, run at once (against what an
// earlier run left) and again when the scope ends, also after a failed
// assertion.
class AdminCleanup {
public:
    explicit AdminCleanup(std::string sql) : m_strSql("SET client_min_messages = warning; " + std::move(sql))
    {
        AdminValue(m_strSql);
    }
    ~AdminCleanup() { AdminValue(m_strSql); }
    AdminCleanup(const AdminCleanup&) = delete;
    AdminCleanup& operator=(const AdminCleanup&) = delete;

private:
    std::string m_strSql;
};

// A statement handle of a test's own, prepared on creation, freed at the end.
class TestStatement {
public:
    TestStatement(const Session& session, const std::string& sql) : m_session(session)
    {
        OCIHandleAlloc(session.EnvHandle(), reinterpret_cast<void**>(&m_pStmt), OCI_HTYPE_STMT, 0, nullptr);
        m_nPrepared = OCIStmtPrepare(m_pStmt, session.ErrorHandle(), reinterpret_cast<const OraText*>(sql.data()),
                                        static_cast<ub4>(sql.size()), OCI_NTV_SYNTAX, OCI_DEFAULT);
    }
    ~TestStatement() { OCIHandleFree(m_pStmt, OCI_HTYPE_STMT); }
    TestStatement(const TestStatement&) = delete;
    TestStatement& operator=(const TestStatement&) = delete;

    OCIStmt* Handle() const { return m_pStmt; }
    sword Prepared() const { return m_nPrepared; }
    sword Set(ub4 attribute, ub4 value)
    {
        return OCIAttrSet(m_pStmt, OCI_HTYPE_STMT, &value, sizeof value, attribute, m_session.ErrorHandle());
    }
    ub4 Get(ub4 attribute) const
    {
        ub4 value = 0;
        OCIAttrGet(m_pStmt, OCI_HTYPE_STMT, &value, nullptr, attribute, m_session.ErrorHandle());
        return value;
    }
    sword Execute(ub4 iters = 0, ub4 mode = OCI_DEFAULT)
    {
        return OCIStmtExecute(m_session.ServiceContext(), m_pStmt, m_session.ErrorHandle(), iters, 0, nullptr,
                                 nullptr, mode);
    }
    sword Define(ub4 position, void* buffer, sb4 size, sb2* indicator)
    {
        OCIDefine* define = nullptr;
        return OCIDefineByPos(m_pStmt, &define, m_session.ErrorHandle(), position, buffer, size, SQLT_STR,
                                 indicator, nullptr, nullptr, OCI_DEFAULT);
    }
    sword Fetch(ub4 rows = 1)
    {
        return OCIStmtFetch(m_pStmt, m_session.ErrorHandle(), rows, OCI_FETCH_NEXT, OCI_DEFAULT);
    }

private:
    const Session& m_session;
    OCIStmt* m_pStmt = nullptr;
    sword m_nPrepared = OCI_ERROR;
};

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

// Starts VmHWM afresh at the current resident set, so that a peak measured
// from here belongs to the test whatever ran before it in the process.
inline void ResetPeakMemory()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

}  // namespace ocitest
