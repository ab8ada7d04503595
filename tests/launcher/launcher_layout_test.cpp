#include <gtest/gtest.h>

#include "launcher/launcher_layout.h"

namespace {

TEST(StripLayout, NarrowAndWideWindows) {
    StripLayout narrow = computeStripLayout(200, false, false);
    EXPECT_EQ(narrow.titleX, 0);
    EXPECT_EQ(narrow.titleWidth, 159);
    EXPECT_EQ(narrow.arrowsX, 159);
    EXPECT_EQ(narrow.closeX, 185);
    EXPECT_EQ(narrow.closeWidth, 13);

    StripLayout wide = computeStripLayout(201, false, false);
    EXPECT_EQ(wide.titleX, 26);
    EXPECT_EQ(wide.titleWidth, 201 - 67);
    EXPECT_EQ(wide.arrowsX, 26 + 134);
    EXPECT_EQ(wide.closeX, 26 + 134 + 26);
}

TEST(StripLayout, TitleBarHidesTheCloseGlyphAndMovesTheArrows) {
    StripLayout without = computeStripLayout(350, false, false);
    StripLayout with = computeStripLayout(350, true, false);
    EXPECT_EQ(with.closeWidth, 0);
    EXPECT_EQ(with.arrowsX, without.arrowsX + 13);
    EXPECT_EQ(with.titleWidth, without.titleWidth + 13);
    EXPECT_EQ(with.closeX, without.closeX + 13);
}

TEST(StripLayout, LeftAlignedPutsTheArrowsFirstAndKeepsTheCloseGlyphRight) {
    StripLayout right = computeStripLayout(350, false, false);
    StripLayout left = computeStripLayout(350, false, true);
    EXPECT_EQ(left.arrowsX, 0);
    EXPECT_EQ(left.titleX, 26);
    EXPECT_EQ(left.titleWidth, right.titleWidth);
    EXPECT_EQ(left.closeX, right.closeX);
}

TEST(StripLayout, AlignmentFollowsTheHalfOfTheWorkArea) {
    // Work area 1024 wide: the middle is at 512.
    EXPECT_EQ(decideLeftAligned(0, false, true, 100, 350, 1024), 1) << "entirely in the left half";
    EXPECT_EQ(decideLeftAligned(1, false, true, 512, 350, 1024), 0) << "entirely in the right half";
    EXPECT_EQ(decideLeftAligned(1, false, true, 300, 350, 1024), 1) << "across the middle keeps its side";
    EXPECT_EQ(decideLeftAligned(0, false, true, 300, 350, 1024), 0);
    EXPECT_EQ(decideLeftAligned(0, false, true, 161, 350, 1024), 1) << "161 + 350 = 511 is left of 512";
    EXPECT_EQ(decideLeftAligned(0, false, true, 162, 350, 1024), 0);
    EXPECT_EQ(decideLeftAligned(1, true, true, 100, 350, 1024), 0) << "a centred window never";
    EXPECT_EQ(decideLeftAligned(1, false, false, 900, 350, 1024), 1) << "without automatic alignment it stays";
}

TEST(IconSpacing, FieldsRaisedToTheMinimum) {
    int cx = 0;
    int cy = 0;
    ASSERT_TRUE(parseIconSpacing(L"10,200", cx, cy));
    EXPECT_EQ(cx, 65);
    EXPECT_EQ(cy, 200);
    ASSERT_TRUE(parseIconSpacing(L"80", cx, cy));
    EXPECT_EQ(cx, 80);
    EXPECT_EQ(cy, 65);
    ASSERT_TRUE(parseIconSpacing(L"  90px, 120,7", cx, cy));
    EXPECT_EQ(cx, 90);
    EXPECT_EQ(cy, 120);
    EXPECT_FALSE(parseIconSpacing(L"", cx, cy));
}

}  // namespace
