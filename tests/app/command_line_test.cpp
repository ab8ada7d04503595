#include <gtest/gtest.h>

#include "app/command_line.h"

namespace {

TEST(CommandLine, SwitchesInAnyCase) {
    StartOptions o = parseCommandLine(L"/HIDE /NoStartup /close /I=3 /unknown");
    EXPECT_TRUE(o.hideAtStart);
    EXPECT_TRUE(o.skipStartupItems);
    EXPECT_TRUE(o.closeRunning);
    EXPECT_EQ(o.initialItem, 2);
    EXPECT_TRUE(o.folderArgument.empty());
    EXPECT_EQ(parseCommandLine(L"/i=0").initialItem, -1) << "0 selects nothing";
    EXPECT_EQ(parseCommandLine(L"/i=-5").initialItem, -1);
    EXPECT_EQ(parseCommandLine(L"/i=-2147483648").initialItem, -1);
    EXPECT_EQ(parseCommandLine(L"").initialItem, 0);
}

TEST(CommandLine, FolderPiecesAreJoinedWithOneSpace) {
    EXPECT_EQ(parseCommandLine(L"D:\\My   Data /hide").folderArgument, L"D:\\My Data");
    EXPECT_EQ(parseCommandLine(L"\"D:\\My Data\\Tools.kvl\"").folderArgument, L"D:\\My Data\\Tools.kvl");
    StartOptions o = parseCommandLine(L"E:\\Data \"\" /hide");
    EXPECT_EQ(o.folderArgument, L"E:\\Data");
    EXPECT_FALSE(o.hideAtStart) << "reading stops at the first empty parameter";
}

}  // namespace
