#include "platform/shown_text.h"

#include <gtest/gtest.h>

TEST(ShownText, CutsWithoutSplittingASurrogatePair) {
    const std::wstring paired = std::wstring(kShownTextLength - 1, L'a') + L"\xD83D\xDE00zz";
    EXPECT_EQ(shownText(paired), std::wstring(kShownTextLength - 1, L'a') + L"\u2026");
    EXPECT_EQ(cutInMiddle(L"abc\xD83D\xDE00z", 4), L"ab\u2026\xD83D\xDE00z") << "the pair goes whole to the end";
    EXPECT_EQ(cutInMiddle(L"a\xD83D\xDE00xyz", 4), L"a\u2026yz") << "the pair goes whole";
}
