#include <gtest/gtest.h>

#include "store/drive_letters.h"

namespace {

CategoryItems itemsWith(std::initializer_list<const wchar_t*> definitions) {
    CategoryItems items;
    for (const wchar_t* d : definitions) items.push_back(categoryItem(L"x", d));
    return items;
}

const DriveLetters kOnF{true, L'F', L'C', L'C'};

TEST(AdaptDriveLetters, EveryReferenceOfTheOldLetterFollowsTheProgramDrive) {
    CategoryItems items = itemsWith({
        L"C:\\Windows\\notepad.exe",
        L"e:\\Tools\\a.exe;/in=E:\\in.txt,E:\\x +E:\\y \"E:\\q\";E:\\work",
        L"E:\\b.exe;/opt:E:\\keep",
        L"cmd.exe;/c type E:\\log.txt",
        L"x.exe;E:\\a\x7F" L"E:\\b",
    });
    adaptDriveLetters(items, kOnF);
    EXPECT_EQ(itemDefinition(items[0]), L"C:\\Windows\\notepad.exe");
    EXPECT_EQ(itemDefinition(items[1]), L"F:\\Tools\\a.exe;/in=F:\\in.txt,F:\\x +F:\\y \"F:\\q\";F:\\work");
    EXPECT_EQ(itemDefinition(items[2]), L"F:\\b.exe;/opt:E:\\keep") << "after a letter it is no drive";
    EXPECT_EQ(itemDefinition(items[3]), L"cmd.exe;/c type F:\\log.txt");
    EXPECT_EQ(itemDefinition(items[4]), L"x.exe;F:\\a\x7F" L"F:\\b") << "a stored \";\" separates paths too";
}

TEST(AdaptDriveLetters, WindowsAndHomeDrivesNeverDecide) {
    CategoryItems items = itemsWith({L"C:\\a.exe", L"H:\\b.exe", L"notepad.exe", L"E:\\c.exe", L"D:\\d.exe"});
    adaptDriveLetters(items, DriveLetters{true, L'F', L'C', L'H'});
    EXPECT_EQ(itemDefinition(items[0]), L"C:\\a.exe");
    EXPECT_EQ(itemDefinition(items[1]), L"H:\\b.exe");
    EXPECT_EQ(itemDefinition(items[3]), L"F:\\c.exe");
    EXPECT_EQ(itemDefinition(items[4]), L"D:\\d.exe") << "only the first letter found is old";
}

TEST(AdaptDriveLetters, NothingChangesWithoutAForeignLetter) {
    CategoryItems items = itemsWith({L"F:\\a.exe;E:\\x", L"E:\\b.exe"});
    adaptDriveLetters(items, kOnF);
    EXPECT_EQ(itemDefinition(items[0]), L"F:\\a.exe;E:\\x") << "the first drive found is already the program's";
    CategoryItems onShare = itemsWith({L"E:\\b.exe"});
    adaptDriveLetters(onShare, DriveLetters{true, L'\\', L'C', L'C'});
    EXPECT_EQ(itemDefinition(onShare[0]), L"E:\\b.exe") << "a program on a network share keeps the letters";
    CategoryItems plain = itemsWith({L"https://example.org", L"1:\\odd"});
    adaptDriveLetters(plain, kOnF);
    EXPECT_EQ(itemDefinition(plain[0]), L"https://example.org");
    EXPECT_EQ(itemDefinition(plain[1]), L"1:\\odd");
}

TEST(AdaptDriveLetters, AnItemWithoutCaptionDoesNotDecide) {
    CategoryItems items = itemsWith({L"notepad.exe", L"D:\\d.exe", L"E:\\e.exe"});
    setItemText(items[1], L"");  // a line that a save drops
    adaptDriveLetters(items, kOnF);
    EXPECT_EQ(itemDefinition(items[1]), L"D:\\d.exe");
    EXPECT_EQ(itemDefinition(items[2]), L"F:\\e.exe");
}

}  // namespace
