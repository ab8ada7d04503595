// Carrying items through the temp category's file: appended in the category
// files' format, never written over when unreadable, read back after the
// current item.
#include <gtest/gtest.h>

#include "editor/temp_category.h"
#include "platform/files.h"
#include "support/test_files.h"

namespace {

CategoryStore storeOf(std::initializer_list<const wchar_t*> texts) {
    CategoryStore store;
    for (const wchar_t* text : texts) {
        CategoryItem item;
        setItemText(item, text);
        setItemDefinition(item, std::wstring(text) + L".exe");
        store.items.push_back(std::move(item));
    }
    store.selectedItem = 0;
    return store;
}

std::vector<std::wstring> textsOf(const CategoryStore& store) {
    std::vector<std::wstring> texts;
    for (const CategoryItem& item : store.items) texts.emplace_back(itemText(item));
    return texts;
}

TEST(TempCategory, CopiesAppendInTheCategoryFormatWithoutMark) {
    TempFolder dir;
    const std::wstring temp = dir.file(L"temp.kvl");
    CategoryStore store = storeOf({L"a", L"b", L"c"});
    store.fileFormat = TextFormat::Utf16Le;
    store.fileHasBom = true;
    ASSERT_TRUE(copyToTemp(store, {0, 2}, temp));
    ASSERT_TRUE(copyToTemp(store, {0, 2}, temp));
    EXPECT_EQ(readBytes(temp), utf16Bytes(L"a=a.exe\r\nc=c.exe\r\na=a.exe\r\nc=c.exe\r\n"));
    EXPECT_FALSE(copyToTemp(store, {}, temp)) << "nothing chosen, nothing written";
    EXPECT_TRUE(tempHoldsItems(temp));
}

TEST(TempCategory, MovedItemsComeInAfterTheCurrentOne) {
    TempFolder dir;
    const std::wstring temp = dir.file(L"temp.kvl");
    CategoryStore from = storeOf({L"a", L"b", L"c", L"d"});
    from.selectedItem = 3;
    ASSERT_TRUE(copyToTemp(from, {1, 3}, temp));
    EXPECT_EQ(removeItems(from, {3, 1}), 2);
    EXPECT_EQ(textsOf(from), (std::vector<std::wstring>{L"a", L"c"}));
    EXPECT_EQ(from.selectedItem, 1) << "past the end: the last item";

    CategoryStore to = storeOf({L"x", L"y"});
    EXPECT_EQ(insertFromTemp(to, temp, DriveLetters{}), 2);
    EXPECT_EQ(textsOf(to), (std::vector<std::wstring>{L"x", L"b", L"d", L"y"}));
    EXPECT_EQ(to.selectedItem, 1);
    EXPECT_EQ(itemDefinition(to.items[2]), L"d.exe");

    CategoryStore empty;
    EXPECT_EQ(insertFromTemp(empty, temp, DriveLetters{}), 2);
    EXPECT_EQ(textsOf(empty), (std::vector<std::wstring>{L"b", L"d"}));
    EXPECT_EQ(empty.selectedItem, 0);
    EXPECT_EQ(insertFromTemp(empty, dir.file(L"missing.kvl"), DriveLetters{}), 0);
}

// Items inserted and then moved out again before the save: the save takes out
// only what was inserted, so the items moved meanwhile are still in the file.
TEST(TempCategory, TheSaveTakesOutOnlyWhatWasInserted) {
    TempFolder dir;
    const std::wstring temp = dir.file(L"temp.kvl");
    writeBytes(temp, "b=b.exe\r\n\r\nc=c.exe\r\n");
    CategoryStore store = storeOf({L"a"});
    ASSERT_EQ(insertFromTemp(store, temp, DriveLetters{}), 2);
    ASSERT_TRUE(copyToTemp(store, {0}, temp));
    EXPECT_EQ(removeItems(store, {0}), 1);
    EXPECT_TRUE(dropTakenItems(temp, 2));
    EXPECT_EQ(readBytes(temp), "a=a.exe\r\n");
    EXPECT_FALSE(dropTakenItems(temp, 2)) << "a file cut short by someone else is left alone";
    EXPECT_EQ(readBytes(temp), "a=a.exe\r\n");
    EXPECT_TRUE(dropTakenItems(temp, 1));
    EXPECT_FALSE(fileExists(temp)) << "no item left, the file goes";
}

// Lines in another format, or run on from a last line without its end, would
// read back as garbage or as part of that line.
TEST(TempCategory, CopiesJoinTheTempFileInItsOwnFormat) {
    TempFolder dir;
    const std::wstring temp = dir.file(L"temp.kvl");
    writeBytes(temp, "\xEF\xBB\xBF" "b=b\xE9.exe");  // and a Latin-1 byte, which stays
    CategoryStore store = storeOf({L"a"});
    store.fileFormat = TextFormat::Utf16Le;
    ASSERT_TRUE(copyToTemp(store, {0}, temp));
    EXPECT_EQ(readBytes(temp), "\xEF\xBB\xBF" "b=b\xE9.exe\r\na=a.exe\r\n");

    const std::wstring fresh = dir.file(L"fresh.kvl");
    store.fileFormat = TextFormat::Utf16Be;
    ASSERT_TRUE(copyToTemp(store, {0}, fresh));
    CategoryStore back;
    ASSERT_EQ(insertFromTemp(back, fresh, DriveLetters{}), 1) << "big-endian text is told only by its mark";
    EXPECT_EQ(itemDefinition(back.items[0]), L"a.exe");
}

// A Move that cannot reach the temp file must not remove anything: the caller
// removes only after a successful copy.
TEST(TempCategory, AWriteProtectedTempFileTakesNothing) {
    TempFolder dir;
    const std::wstring temp = dir.file(L"temp.kvl");
    writeBytes(temp, "old=old.exe\r\n");
    ASSERT_TRUE(setFileAttributes(temp, fileAttributes(temp) | 1u));  // read-only
    CategoryStore store = storeOf({L"a"});
    EXPECT_FALSE(copyToTemp(store, {0}, temp));
    setFileAttributes(temp, fileAttributes(temp) & ~1u);
    EXPECT_EQ(readBytes(temp), "old=old.exe\r\n");
}

}  // namespace
