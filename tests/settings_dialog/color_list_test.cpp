#include <gtest/gtest.h>

#include <vector>

#include "settings_dialog/color_list.h"

namespace {

std::vector<uint32_t> firstFive(const CustomColors& list) {
    return std::vector<uint32_t>(list.colors, list.colors + 5);
}

TEST(CustomColorList, TheOpeningColourGoesToTheFront) {
    CustomColors list{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}};
    moveColorToFront(list, 4);
    EXPECT_EQ(firstFive(list), (std::vector<uint32_t>{4, 1, 2, 3, 5})) << "the ones before its place move down";
    moveColorToFront(list, 99);
    EXPECT_EQ(firstFive(list), (std::vector<uint32_t>{99, 4, 1, 2, 3}));
    EXPECT_EQ(list.colors[15], 15u) << "the last one fell off";
    moveColorToFront(list, 99);
    EXPECT_EQ(firstFive(list), (std::vector<uint32_t>{99, 4, 1, 2, 3})) << "already in front";
}

TEST(CustomColorList, AChosenColourTakesTheFirstEmptyPlace) {
    CustomColors list{{7, 8}};
    rememberChosenColor(list, 9);
    EXPECT_EQ(firstFive(list), (std::vector<uint32_t>{7, 8, 9, 0, 0}));
    rememberChosenColor(list, 8);
    EXPECT_EQ(firstFive(list), (std::vector<uint32_t>{7, 8, 9, 0, 0})) << "found before the empty place";
    CustomColors full{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}};
    rememberChosenColor(full, 42);
    EXPECT_EQ(full.colors[15], 16u) << "no empty place: nothing changes";
}

}  // namespace
