#include "ocipg/tests/OcipgTest.h"

namespace ocitest {
namespace {

// Changes checked from a second connection need tables others can see; the
// tests run alone, so no other test lists them, and drop them at the end.
class OcipgTransaction : public HrTest {
protected:
    void SetUp() override
    {
        HrTest::SetUp();
        ASSERT_EQ(m_session.Execute("create table " + m_strTable + " (id integer primary key, label text)"),
                  OCI_SUCCESS)
            << m_session.Error();
    }

    void TearDown() override
    {
        m_session.Disconnect();
        AdminValue("drop table if exists " + m_strTable);
    }

    std::string Count() { return AdminValue("select count(*) from " + m_strTable); }

    const std::string m_strTable = "hr.ocipg_transaction";
};

TEST_F(OcipgTransaction, CommittedChangeIsSeenByOthers)
{
    ASSERT_EQ(m_session.Execute("insert into " + m_strTable + " select g, 'x' from generate_series(1, 3) g"),
              OCI_SUCCESS)
        << m_session.Error();
    EXPECT_EQ(m_session.RowCount(), 3u);
    EXPECT_EQ(Count(), "3");
    ASSERT_EQ(m_session.Execute("update " + m_strTable + " set label = 'y' where id > 1"), OCI_SUCCESS);
    EXPECT_EQ(m_session.RowCount(), 2u);
    ASSERT_EQ(m_session.Execute("delete from " + m_strTable + " where id = 1"), OCI_SUCCESS);
    EXPECT_EQ(m_session.RowCount(), 1u);
    EXPECT_EQ(AdminValue("select string_agg(id || label, ',' order by id) from " + m_strTable), "2y,3y");
}

// OCI_DEFAULT leaves the change in the open transaction; a committed
// statement or the logoff commits it.
TEST_F(OcipgTransaction, ChangeLeftOpenUntilCommitOrLogoff)
{
    ASSERT_EQ(m_session.Execute("insert into " + m_strTable + " values (1, 'a'), (2, 'b')", OCI_DEFAULT), OCI_SUCCESS)
        << m_session.Error();
    EXPECT_EQ(m_session.RowCount(), 2u);
    EXPECT_EQ(Count(), "0");
    EXPECT_EQ(m_session.Value("select count(*) from " + m_strTable), "2");  // its own session sees it
    ASSERT_EQ(m_session.Execute("insert into " + m_strTable + " values (3, 'c')"), OCI_SUCCESS);
    EXPECT_EQ(Count(), "3");
    ASSERT_EQ(m_session.Execute("insert into " + m_strTable + " values (4, 'd')", OCI_DEFAULT), OCI_SUCCESS);
    EXPECT_EQ(Count(), "3");
    m_session.Disconnect();
    EXPECT_EQ(Count(), "4");
}

}  // namespace
}  // namespace ocitest
