// Runs one Qt Test class of the GUI tests, named by the first argument, offscreen,
// with the test cluster's tnsnames.ora and libocipg as the OCI library.

#include "tests/gui/GuiTests.h"
#include "tests/support/TestFixture.h"

#include <QApplication>
#include <QTest>

#include <libpq-fe.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool ClusterRunning()
{
    PGconn* pConn = PQconnectdb(testfixture::AdminConnInfo().c_str());
    const bool bOk = PQstatus(pConn) == CONNECTION_OK;
    if (!bOk)
        std::fprintf(stderr,
                     "The PostgreSQL test cluster in %s is not running (%s).\n"
                     "Run the tests through ctest, which starts it, or start it with\n"
                     "  tests/fixture/pgcluster.sh fresh %s\n",
                     testfixture::Dir().c_str(), PQerrorMessage(pConn), testfixture::Dir().c_str());
    PQfinish(pConn);
    return bOk;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: gui_test <test class> [Qt Test options]\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("TNS_ADMIN", testfixture::TnsAdmin().c_str(), 1);
    setenv("LUMIDEX_OCI_LIBRARY", testfixture::OcipgLibrary(), 1);
    QApplication application(argc, argv);

    for (const GuiTestClass& testClass : GuiTestClasses()) {
        if (std::strcmp(testClass.pszName, argv[1]) != 0)
            continue;
        if (testClass.bNeedsCluster && !ClusterRunning())
            return 1;
        std::unique_ptr<QObject> pTests = testClass.create();
        argv[1] = argv[0];
        return QTest::qExec(pTests.get(), argc - 1, argv + 1);
    }
    std::fprintf(stderr, "gui_test: no test class %s\n", argv[1]);
    return 2;
}
