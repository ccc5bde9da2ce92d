#include "tests/gui/GuiTests.h"

std::unique_ptr<QObject> MakeConnectTest();
std::unique_ptr<QObject> MakeResultListTest();
std::unique_ptr<QObject> MakeFrameTest();
std::unique_ptr<QObject> MakeDialogTest();
std::unique_ptr<QObject> MakeResultModelTest();
std::unique_ptr<QObject> MakeBrowserTest();
std::unique_ptr<QObject> MakeSortTest();
std::unique_ptr<QObject> MakeSaveXmlTest();
std::unique_ptr<QObject> MakeSqlStatementTest();

namespace {

const GuiTestClass kClasses[] = {
    {"ConnectTest", true, MakeConnectTest},
    {"ResultListTest", true, MakeResultListTest},
    {"FrameTest", false, MakeFrameTest},
    {"DialogTest", false, MakeDialogTest},
    {"ResultModelTest", false, MakeResultModelTest},
    {"BrowserTest", true, MakeBrowserTest},
    {"SortTest", false, MakeSortTest},
    {"SaveXmlTest", true, MakeSaveXmlTest},
    {"SqlStatementTest", true, MakeSqlStatementTest},
};

}  // namespace

std::span<const GuiTestClass> GuiTestClasses() { return kClasses; }
