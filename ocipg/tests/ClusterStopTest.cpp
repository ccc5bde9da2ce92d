#include "ocipg/tests/OcipgTest.h"

namespace ocitest {
namespace {

// The whole server stopped in the middle of a fetch: ORA-03113 at once, a
// clean ORA-03114 afterwards, and a new logon works once it is back.
TEST(OcipgClusterStop, ServerStoppedMidFetch)
{
    Session session;
    ASSERT_EQ(session.Connect("LUMIDEX", "hr", "hr"), OCI_SUCCESS) << session.Error();
    ASSERT_EQ(session.Execute("select g from generate_series(1, 100000) g"), OCI_SUCCESS) << session.Error();
    std::vector<std::string> values;
    ASSERT_EQ(session.FetchRow(values), OCI_SUCCESS);
    ASSERT_EQ(ClusterCommand("stop"), 0);
    sword status;
    while ((status = session.FetchRow(values)) == OCI_SUCCESS) {
    }
    sb4 code = 0;
    const std::string text = session.Error(&code);
    EXPECT_EQ(status, OCI_ERROR);
    EXPECT_EQ(code, 3113) << text;
    EXPECT_EQ(session.Execute("select 1"), OCI_ERROR);
    EXPECT_EQ(session.Error(), "ORA-03114: not connected to ORACLE\n");
    session.Disconnect();

    Session whileDown;
    EXPECT_EQ(whileDown.Connect("LUMIDEX", "hr", "hr"), OCI_ERROR);
    EXPECT_EQ(FirstLine(whileDown.Error()), "ORA-12541: TNS:no listener");

    ASSERT_EQ(ClusterCommand("start"), 0);
    Session again;
    ASSERT_EQ(again.Connect("LUMIDEX", "hr", "hr"), OCI_SUCCESS) << again.Error();
    EXPECT_EQ(again.Value("select 1"), "1");
}

}  // namespace
}  // namespace ocitest
