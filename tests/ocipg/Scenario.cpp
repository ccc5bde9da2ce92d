// One short session through libocipg, run under valgrind: logon, a query
// with rows and NULLs, a change, a failing statement, a query closed early,
// logoff. Arguments: the library, the cluster's socket folder.

#include "tests/ocipg/OciClient.h"

#include <cstdio>

using namespace ocitest;

namespace {

int Fail(const char* step, const Session& session)
{
    std::fprintf(stderr, "scenario: %s failed: %s\n", step, session.Error().c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: ocipg_scenario LIBRARY SOCKET_DIR\n");
        return 2;
    }
    const OciApi* oci = LoadOci(argv[1]);
    if (!oci || !oci->m_missing.empty()) {
        std::fprintf(stderr, "scenario: cannot load %s\n", argv[1]);
        return 1;
    }
    Session session(*oci);
    if (session.Connect(std::string(argv[2]) + "/lumidex", "hr", "hr") != OCI_SUCCESS)
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
    session.Disconnect();
    Session refused(*oci);
    if (refused.Connect(std::string(argv[2]) + "/lumidex", "hr", "wrong") != OCI_ERROR)
        return Fail("wrong password", refused);
    return 0;
}
