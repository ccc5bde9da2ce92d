#include "document/LumidexDoc.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

TEST(DocumentWithoutClient, StartsAndReportsTheMissingLibraryOnOneLine)
{
    testfixture::ScopedEnv library("LUMIDEX_OCI_LIBRARY", "/nonexistent/libclntsh.so");
    testfixture::MessageRecorder messages;
    CLumidexDoc document;
    EXPECT_EQ(messages.m_texts.size(), 1u);

    EXPECT_EQ(document.Connect("LUMIDEX", "hr", "hr", 0), SR_NOT_LOADED);
    EXPECT_EQ(document.GetMessageText(), "You are not connected to database! Oci.dll is not loaded!");
    int isQuery = 0, columnCount = 0, rowCount = 0;
    EXPECT_EQ(document.Execute("SELECT 1", &isQuery, &columnCount, &rowCount), SR_NOT_CONNECTED);
    std::vector<std::string> texts;
    EXPECT_EQ(document.DescribeColumns(1, &texts), SR_NOT_CONNECTED);
    EXPECT_EQ(document.FetchRow(1, &texts), SR_NOT_CONNECTED);
    EXPECT_EQ(document.SetCommitMode(0), SR_SUCCESS);
    EXPECT_EQ(document.Disconnect(), SR_NOT_CONNECTED);
    EXPECT_EQ(messages.m_texts.size(), 1u);
}
