#include "ocipg/tests/OcipgTest.h"

namespace ocitest {
namespace {

using OcipgDescriptors = HrTest;

// Each OCIParamGet gives a descriptor of its own, which lives until
// OCIDescriptorFree or the end of the environment, not of the statement.
TEST_F(OcipgDescriptors, OwnedByTheEnvironment)
{
    OCIError* err = m_session.ErrorHandle();
    void* first = nullptr;
    void* second = nullptr;
    {
        Statement stmt(m_session, "select department_name from hr.departments");
        ASSERT_EQ(stmt.Execute(), OCI_SUCCESS) << m_session.Error();
        ASSERT_EQ(OCIParamGet(stmt.Handle(), OCI_HTYPE_STMT, err, &first, 1), OCI_SUCCESS);
        ASSERT_EQ(OCIParamGet(stmt.Handle(), OCI_HTYPE_STMT, err, &second, 1), OCI_SUCCESS);
        EXPECT_NE(first, second);
    }
    OraText* name = nullptr;
    ub4 length = 0;
    ASSERT_EQ(OCIAttrGet(first, OCI_DTYPE_PARAM, &name, &length, OCI_ATTR_NAME, err), OCI_SUCCESS);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(name), length), "DEPARTMENT_NAME");
    EXPECT_EQ(OCIDescriptorFree(first, OCI_DTYPE_PARAM), OCI_SUCCESS);
    // Freed twice, of another type, or no descriptor: refused, never followed.
    EXPECT_EQ(OCIDescriptorFree(first, OCI_DTYPE_PARAM), OCI_INVALID_HANDLE);
    EXPECT_EQ(OCIAttrGet(first, OCI_DTYPE_PARAM, &name, &length, OCI_ATTR_NAME, err), OCI_INVALID_HANDLE);
    EXPECT_EQ(OCIDescriptorFree(second, OCI_HTYPE_STMT), OCI_INVALID_HANDLE);
    EXPECT_EQ(OCIHandleFree(second, OCI_DTYPE_PARAM), OCI_INVALID_HANDLE);
    EXPECT_EQ(OCIDescriptorFree(err, OCI_DTYPE_PARAM), OCI_INVALID_HANDLE);
    EXPECT_EQ(OCIDescriptorFree(err, OCI_HTYPE_ERROR), OCI_INVALID_HANDLE);
    EXPECT_EQ(OCIDescriptorFree(nullptr, OCI_DTYPE_PARAM), OCI_INVALID_HANDLE);
    ASSERT_EQ(OCIAttrGet(second, OCI_DTYPE_PARAM, &name, &length, OCI_ATTR_NAME, err), OCI_SUCCESS);
    m_session.Disconnect();  // frees the environment
    EXPECT_EQ(OCIDescriptorFree(second, OCI_DTYPE_PARAM), OCI_INVALID_HANDLE);
}

// A program that forgets its descriptors holds more memory with each, as
// Oracle's reference warns; one that frees them stays flat.
TEST_F(OcipgDescriptors, ForgottenDescriptorsKeepTheirMemory)
{
    Statement stmt(m_session, "select 1 as one");
    ASSERT_EQ(stmt.Execute(), OCI_SUCCESS) << m_session.Error();
    const auto growthKb = [&](bool free) {
        const long before = StatusKb("VmRSS:");
        for (int i = 0; i < 50000; ++i) {
            void* param = nullptr;
            if (OCIParamGet(stmt.Handle(), OCI_HTYPE_STMT, m_session.ErrorHandle(), &param, 1) != OCI_SUCCESS) {
                ADD_FAILURE() << m_session.Error();
                return 0L;
            }
            if (free)
                OCIDescriptorFree(param, OCI_DTYPE_PARAM);
        }
        return StatusKb("VmRSS:") - before;
    };
    growthKb(true);
    EXPECT_LT(growthKb(true), 256);
    EXPECT_GT(growthKb(false), 2048);
}

}  // namespace
}  // namespace ocitest
