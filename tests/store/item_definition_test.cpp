#include <gtest/gtest.h>

#include "store/item_definition.h"
#include "store/text_values.h"

namespace {

TEST(ItemDefinition, SplitsFiveFieldsAndRestoresSemicolons) {
    DefinitionFields f = splitDefinition(L"C:\\Tools\\x.exe;-a\x7F-b;C:\\Work;max;C:\\Icons\\set.dll,3");
    EXPECT_EQ(f.command, L"C:\\Tools\\x.exe");
    EXPECT_EQ(f.parameters, L"-a;-b");
    EXPECT_EQ(f.directory, L"C:\\Work");
    EXPECT_EQ(f.showMode, L"max");
    EXPECT_EQ(f.iconSource, L"C:\\Icons\\set.dll,3");

    DefinitionFields shortOne = splitDefinition(L"notepad.exe");
    EXPECT_EQ(shortOne.command, L"notepad.exe");
    EXPECT_TRUE(shortOne.parameters.empty() && shortOne.directory.empty() && shortOne.iconSource.empty());

    EXPECT_EQ(splitDefinition(L"a;b;c;d;e;ignored").iconSource, L"e") << "field 5 ends at the next ;";
    EXPECT_EQ(splitDefinition(L";;dir").directory, L"dir");

    DefinitionFields stored = splitDefinition(L"a\x7F" L"b;;C:\\c\x7F" L"d;max\x7F;C:\\e\x7F" L"f.dll,2");
    EXPECT_EQ(stored.command, L"a;b") << "a stored \";\" in any field";
    EXPECT_EQ(stored.directory, L"C:\\c;d");
    EXPECT_EQ(parseShowMode(stored.showMode), kShowModeNormal);
    EXPECT_EQ(splitIconSource(stored.iconSource).file, L"C:\\e;f.dll");
    EXPECT_EQ(splitIconSource(stored.iconSource).index, 2);
}

TEST(ItemDefinition, ShowModeIsCaseSensitive) {
    EXPECT_EQ(parseShowMode(L"min"), kShowModeMin);
    EXPECT_EQ(parseShowMode(L"max"), kShowModeMax);
    EXPECT_EQ(parseShowMode(L"admin"), kShowModeAdmin);
    EXPECT_EQ(parseShowMode(L"MAX"), kShowModeNormal);
    EXPECT_EQ(parseShowMode(L""), kShowModeNormal);
}

TEST(ItemDefinition, IconSourceSplitsAtTheLastComma) {
    IconSource s = splitIconSource(L"C:\\My, Icons\\set.dll,12");
    EXPECT_EQ(s.file, L"C:\\My, Icons\\set.dll");
    EXPECT_EQ(s.index, 12);
    IconSource plain = splitIconSource(L"C:\\app.exe");
    EXPECT_EQ(plain.file, L"C:\\app.exe");
    EXPECT_EQ(plain.index, 0);
    EXPECT_EQ(splitIconSource(L"lib.dll,-101").index, -101) << "negative: a resource id";
}

TEST(TextValues, NumbersInEveryNotation) {
    EXPECT_EQ(parseIntText(L"42"), 42);
    EXPECT_EQ(parseIntText(L" \t-17x"), -17);
    EXPECT_EQ(parseIntText(L"+5"), 5);
    EXPECT_EQ(parseIntText(L"$1fF"), 0x1FF);
    EXPECT_EQ(parseIntText(L"%1011"), 11);
    EXPECT_EQ(parseIntText(L"%102"), 2) << "stops at the first foreign digit";
    EXPECT_EQ(parseIntText(L"abc"), 0);
    EXPECT_EQ(parseIntText(L""), 0);
    EXPECT_EQ(parseIntText(L"$FFFFFFFF"), -1);
    EXPECT_EQ(parseIntText(L"-$10"), -16);
}

TEST(TextValues, ColoursSwapRedAndBlue) {
    EXPECT_EQ(parseColorText(L"#FF0000"), 0x0000FFu);
    EXPECT_EQ(parseColorText(L"#123456"), 0x563412u);
    EXPECT_EQ(parseColorText(L"#zz"), 0u);
    EXPECT_EQ(parseColorText(L"255"), 255u) << "a number is already a Windows colour";
    EXPECT_EQ(parseColorText(L"$00FF00"), 0x00FF00u);
    EXPECT_EQ(formatColorText(0x563412), L"#123456");
    EXPECT_EQ(formatColorText(0xFF), L"#FF0000");
    EXPECT_EQ(formatColorText(0), L"#000000");
    for (uint32_t c : {0x000000u, 0xFFFFFFu, 0x0A0B0Cu}) EXPECT_EQ(parseColorText(formatColorText(c)), c);
}

TEST(TextValues, FontText) {
    FontText f = parseFontText(L"Segoe UI,11,768,#0000FF");
    EXPECT_EQ(f.face, L"Segoe UI");
    EXPECT_EQ(f.pointSize, 11);
    EXPECT_EQ(f.styleFlags, kFontBold | kFontItalic);
    EXPECT_EQ(f.color, 0xFF0000u);
    EXPECT_EQ(formatFontText(f), L"Segoe UI,11,768,#0000FF");

    FontText standard = parseFontText(L"Arial,9,0,0");
    EXPECT_EQ(standard.face, L"Arial");
    EXPECT_EQ(standard.pointSize, 9);
    EXPECT_EQ(standard.color, 0u);
    EXPECT_EQ(parseFontText(L"Tahoma").pointSize, 0);
}

}  // namespace
