// Tests that stop the cluster or make tables other sessions see: each runs alone.
#include "ocipg/tests/OcipgTest.h"

using namespace ocitest;

namespace {

// OCI_COMMIT_ON_SUCCESS commits the statement and the work left open before it; OCI_DEFAULT leaves it open until then
// or the logoff. Other sessions see the change once committed, the session itself at once.
using OcipgSerial = HrTest;

TEST_F(OcipgSerial, CommitModesAndRowCounts)
{
    const std::string table = "hr.ocipg_transaction";
    AdminValue("drop table if exists " + table);  // what an earlier run left
    const auto committed = [&] { return AdminValue("select string_agg(id || label, ',' order by id) from " + table); };
    ASSERT_EQ(m_session.Execute("create table " + table + " (id integer primary key, label text)"), OCI_SUCCESS)
        << m_session.Error();
    ASSERT_EQ(m_session.Execute("insert into " + table + " select g, 'x' from generate_series(1, 3) g", OCI_DEFAULT),
              OCI_SUCCESS)
        << m_session.Error();
    EXPECT_EQ(m_session.RowCount(), 3u);
    EXPECT_EQ(committed(), "");
    EXPECT_EQ(m_session.Value("select count(*) from " + table), "3");
    ASSERT_EQ(m_session.Execute("update " + table + " set label = 'y' where id > 1"), OCI_SUCCESS) << m_session.Error();
    EXPECT_EQ(m_session.RowCount(), 2u);
    EXPECT_EQ(committed(), "1x,2y,3y");
    ASSERT_EQ(m_session.Execute("delete from " + table + " where id = 1", OCI_DEFAULT), OCI_SUCCESS)
        << m_session.Error();
    EXPECT_EQ(m_session.RowCount(), 1u);
    EXPECT_EQ(committed(), "1x,2y,3y");
    m_session.Disconnect();
    EXPECT_EQ(committed(), "2y,3y");
    AdminValue("drop table " + table);
}

// The server stopped mid-fetch: ORA-03113 at once, a clean ORA-03114 afterwards, a new logon once it is back.
TEST_F(OcipgSerial, ServerStoppedMidFetch)
{
    ASSERT_EQ(m_session.Execute("select g from generate_series(1, 100000) g"), OCI_SUCCESS) << m_session.Error();
    std::vector<std::string> values;
    ASSERT_EQ(m_session.FetchRow(values), OCI_SUCCESS);
    ASSERT_EQ(ClusterCommand("stop"), 0);
    while (m_session.FetchRow(values) == OCI_SUCCESS) {
    }
    EXPECT_EQ(FirstLine(m_session.Error()), "ORA-03113: end-of-file on communication channel");
    EXPECT_EQ(m_session.Execute("select 1"), OCI_ERROR);
    EXPECT_EQ(m_session.Error(), "ORA-03114: not connected to ORACLE\n");
    m_session.Disconnect();
    ASSERT_EQ(ClusterCommand("start"), 0);
    Session again;
    again.Connect("LUMIDEX", "hr", "hr");
    EXPECT_EQ(again.Value("select 1"), "1");
}

}  // namespace
