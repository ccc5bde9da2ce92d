// One short session through libocipg, run under valgrind: logon, a query
// with rows and NULLs, a change, a failing statement, a query closed early,
// a query with a prefetch count and a descriptor left to the environment,
// logoff, on the test fixture's cluster.

#include "ocipg/tests/OciClient.h"
#include "ocipg/tests/support/TestFixture.h"

#include <cstdio>

using namespace ocitest;

namespace {

int Fail(const char* step, const Session& session)
{
    std::fprintf(stderr, "scenario: %s failed: %s\n", step, session.Error().c_str());
    return 1;
}

// Reads part of a query with a prefetch count; its descriptor stays for
// the environment to free.
bool PrefetchedQuery(const Session& session)
{
    Statement stmt(session, "select g, repeat('x', g) from generate_series(1, 3000) g");
    void* param = nullptr;
    char value[16] = {};
    sb2 indicator = 0;
    bool ok = stmt.Prepared() == OCI_SUCCESS && stmt.Set(OCI_ATTR_PREFETCH_ROWS, 500) == OCI_SUCCESS &&
              stmt.Execute() == OCI_SUCCESS &&
              OCIParamGet(stmt.Handle(), OCI_HTYPE_STMT, session.ErrorHandle(), &param, 1) == OCI_SUCCESS &&
              stmt.Define(1, value, sizeof value, &indicator) == OCI_SUCCESS;
    for (int row = 0; ok && row < 1000; ++row)
        ok = stmt.Fetch() == OCI_SUCCESS;
    return ok;
}

}  // namespace

int main()
{
    const std::string service = SocketDir() + "/" + Database();
    Session session;
    if (session.Connect(service, "hr", "hr") != OCI_SUCCESS)
        return Fail("logon", session);
    std::vector<std::vector<std::string>> rows;
    if (session.Query("select * from hr.employees order by 1", rows) != OCI_SUCCESS || rows.size() != 4)
        return Fail("query", session);
    if (session.Execute("create temporary table t (id int primary key)") != OCI_SUCCESS ||
        session.Execute("insert into t values (1), (2)") != OCI_SUCCESS || session.RowCount() != 2)
        return Fail("change", session);
    if (session.Execute("insert into t values (1)") != OCI_ERROR)
        return Fail("failing statement", session);
    std::vector<std::string> values;
    if (session.Execute("select g from generate_series(1, 5000) g") != OCI_SUCCESS ||
        session.FetchRow(values) != OCI_SUCCESS)
        return Fail("early close", session);
    if (!PrefetchedQuery(session))
        return Fail("prefetch", session);
    session.Disconnect();
    Session refused;
    if (refused.Connect(service, "hr", "wrong") != OCI_ERROR)
        return Fail("wrong password", refused);
    return 0;
}
