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
