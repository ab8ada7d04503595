#include <gtest/gtest.h>

#include "launcher/help_viewer.h"

namespace {

TEST(HelpViewer, OnlyTheLanguageDeutschAsItIsWrittenGetsTheGermanHelp) {
    EXPECT_EQ(helpFileFor(L"Deutsch"), L"Kivo-de.chm");
    EXPECT_EQ(helpFileFor(L"deutsch"), L"Kivo-en.chm");
    EXPECT_EQ(helpFileFor(L"Deutsch (Schweiz)"), L"Kivo-en.chm");
    EXPECT_EQ(helpFileFor(L""), L"Kivo-en.chm");
    EXPECT_EQ(helpFileFor(L"English"), L"Kivo-en.chm");
}

}  // namespace
