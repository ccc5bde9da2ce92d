#include "oracle/OracleSession.h"

#include <gtest/gtest.h>

namespace {

struct StatusCase {
    int m_nOciStatus;
    SessionResult m_nExpected;
};

constexpr StatusCase kCases[] = {
    {OCI_SUCCESS, SR_SUCCESS},
    {OCI_SUCCESS_WITH_INFO, SR_SUCCESS_WITH_INFO},
    {OCI_ERROR, SR_ERROR},
    {OCI_NEED_DATA, SR_NEED_DATA},
    {OCI_NO_DATA, SR_NO_DATA},
    {OCI_STILL_EXECUTING, SR_STILL_EXECUTING},
    {OCI_INVALID_HANDLE, SR_INVALID_HANDLE},
    {OCI_CONTINUE, SR_CONTINUE},
    // Statuses OCI does not define are errors, never one of the session's
    // own codes.
    {2, SR_ERROR},
    {8, SR_ERROR},
    {9, SR_ERROR},
    {-3, SR_ERROR},
    {101, SR_ERROR},
    {-24201, SR_ERROR},
};

TEST(MapOciStatus, MapsEveryStatus)
{
    for (const StatusCase& c : kCases)
        EXPECT_EQ(OracleSession::MapOciStatus(c.m_nOciStatus), c.m_nExpected) << c.m_nOciStatus;
}

}  // namespace
