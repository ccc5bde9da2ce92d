// Runs one Qt Test class of the GUI tests, named by the first argument, offscreen,
// with the test cluster's tnsnames.ora and libocipg as the OCI library.

#include "tests/support/TestFixture.h"

#include <QApplication>
#include <QTest>

#include <cstdio>
#include <cstring>
#include <memory>

std::unique_ptr<QObject> MakeConnectTest();
std::unique_ptr<QObject> MakeFrameTest();
std::unique_ptr<QObject> MakeDialogTest();
std::unique_ptr<QObject> MakeBrowserTest();
std::unique_ptr<QObject> MakeSortTest();
std::unique_ptr<QObject> MakeResultListTest();

namespace {

const struct {
    const char* pszName;
    bool bNeedsCluster;
    std::unique_ptr<QObject> (*create)();
} kClasses[] = {
    {"ConnectTest", true, MakeConnectTest}, {"FrameTest", false, MakeFrameTest},
    {"DialogTest", false, MakeDialogTest},  {"BrowserTest", true, MakeBrowserTest},
    {"SortTest", false, MakeSortTest},      {"ResultListTest", true, MakeResultListTest},
};

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("TNS_ADMIN", testfixture::TnsAdmin().c_str(), 1);
    setenv("LUMIDEX_OCI_LIBRARY", testfixture::OcipgLibrary(), 1);
    QApplication application(argc, argv);
    for (const auto& testClass : kClasses) {
        if (argc < 2 || std::strcmp(testClass.pszName, argv[1]) != 0)
            continue;
        const std::string strProblem = testClass.bNeedsCluster ? testfixture::ClusterProblem() : std::string();
        if (!strProblem.empty()) {
            std::fputs(strProblem.c_str(), stderr);
            return 1;
        }
        std::unique_ptr<QObject> pTests = testClass.create();
        argv[1] = argv[0];
        return QTest::qExec(pTests.get(), argc - 1, argv + 1);
    }
    std::fprintf(stderr, "usage: gui_test <test class> [Qt Test options]\n");
    return 2;
}
