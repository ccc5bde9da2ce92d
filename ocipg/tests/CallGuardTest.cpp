// The C boundary's guard: what an exception inside an entry point leaves in
// the call's error record.

#include "ocipg/CallGuard.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <vector>

namespace {

struct GuardCase {
    const char* pszName;
    std::function<sword()> work;
    sword nStatus;
    sb4 nCode;
    const char* pszText;
};

TEST(CallGuard, ExceptionsBecomeOciErrorWithARecord)
{
    const GuardCase cases[] = {
        {"memory", []() -> sword { throw std::bad_alloc(); }, OCI_ERROR, 21501,
         "ORA-21501: program could not allocate memory\n"},
        {"array length", []() -> sword { throw std::bad_array_new_length(); }, OCI_ERROR, 21501,
         "ORA-21501: program could not allocate memory\n"},
        {"library fault", [] { return static_cast<sword>(std::vector<char>().at(3)); }, OCI_ERROR, 21500, nullptr},
        {"anything thrown", []() -> sword { throw 42; }, OCI_ERROR, 21500,
         "ORA-21500: internal error code, arguments: [], [], [], [], [], [], [], []\n"},
        {"no exception", [] { return OCI_NO_DATA; }, OCI_NO_DATA, 0, ""},
    };
    for (const GuardCase& c : cases) {
        SCOPED_TRACE(c.pszName);
        ocipg::ErrorRecord record;
        EXPECT_EQ(ocipg::Guard(&record, c.work), c.nStatus);
        EXPECT_EQ(record.m_nCode, c.nCode);
        if (c.pszText) {
            EXPECT_EQ(record.m_strText, c.pszText);
        }
        // A call without an error handle fails the same, with nothing to record.
        EXPECT_EQ(ocipg::Guard(nullptr, c.work), c.nStatus);
    }
    ocipg::ErrorRecord record;
    ocipg::Guard(&record, [] { return static_cast<sword>(std::vector<char>().at(3)); });
    EXPECT_EQ(record.m_strText.rfind("ORA-21500: internal error code, arguments: [vector::_M_range_check", 0), 0u)
        << record.m_strText;
}

}  // namespace
