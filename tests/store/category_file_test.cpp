#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/files.h"
#include "platform/text_codec.h"
#include "store/category_file.h"
#include "support/test_files.h"

namespace {

// One category in every byte form the program reads, and the form it must write back.
struct EncodedCategory {
    const char* name;
    std::string bytes;
    TextFormat format;
    bool hasBom;
};

const std::wstring kLinesAsStored = L"  Caf\u00E9 = C:\\Tools\\caf\u00E9.exe;-x ; ;max  \r\nNotes=notepad.exe\nMail=mailto:a@b.c\r";
const std::wstring kLinesAsWritten = L"Caf\u00E9=C:\\Tools\\caf\u00E9.exe;-x ; ;max\r\nNotes=notepad.exe\r\nMail=mailto:a@b.c\r\n";

std::vector<EncodedCategory> encodedCategories() {
    return {
        {"utf8_bom", "\xEF\xBB\xBF" + wideToUtf8(kLinesAsStored), TextFormat::Utf8, true},
        {"utf8", wideToUtf8(kLinesAsStored), TextFormat::Utf8, false},
        {"utf16_bom", "\xFF\xFE" + utf16Bytes(kLinesAsStored), TextFormat::Utf16Le, true},
        {"utf16", utf16Bytes(kLinesAsStored), TextFormat::Utf16Le, false},
        {"utf16be", utf16Bytes(kLinesAsStored, true), TextFormat::Utf16Be, false},
        {"ansi", ansiBytes(kLinesAsStored), TextFormat::Ansi, false},
    };
}

class CategoryRoundTrip : public testing::TestWithParam<EncodedCategory> {};

TEST_P(CategoryRoundTrip, ReadsTrimmedItemsAndWritesTheSameFormat) {
    const EncodedCategory& c = GetParam();
    TempFolder dir;
    writeBytes(dir.file(L"Tools.kvl"), c.bytes);
    CategoryStore store;
    ASSERT_TRUE(loadCategoryFile(store, dir.file(L"Tools.kvl")));
    ASSERT_EQ(store.items.size(), 3u);
    EXPECT_EQ(itemText(store.items[0]), L"Caf\u00E9");
    EXPECT_EQ(itemDefinition(store.items[0]), L"C:\\Tools\\caf\u00E9.exe;-x ; ;max") << "inner spaces stay";
    EXPECT_EQ(itemDefinition(store.items[2]), L"mailto:a@b.c");
    EXPECT_EQ(store.selectedItem, 0);
    EXPECT_EQ(store.fileFormat, c.format);
    EXPECT_EQ(store.fileHasBom, c.hasBom);

    ASSERT_TRUE(saveCategoryFile(store, dir.file(L"Copy.kvl")));
    std::string expected;
    if (c.format == TextFormat::Utf8) expected = (c.hasBom ? "\xEF\xBB\xBF" : "") + wideToUtf8(kLinesAsWritten);
    if (c.format == TextFormat::Utf16Le) expected = (c.hasBom ? "\xFF\xFE" : "") + utf16Bytes(kLinesAsWritten);
    if (c.format == TextFormat::Utf16Be) expected = utf16Bytes(kLinesAsWritten, true);
    if (c.format == TextFormat::Ansi) expected = ansiBytes(kLinesAsWritten);
    EXPECT_EQ(readBytes(dir.file(L"Copy.kvl")), expected);

    CategoryStore again;
    ASSERT_TRUE(loadCategoryFile(again, dir.file(L"Copy.kvl")));
    ASSERT_EQ(again.items.size(), 3u);
    EXPECT_EQ(itemDefinition(again.items[0]), itemDefinition(store.items[0]));
    EXPECT_EQ(again.fileFormat, c.format);
}

INSTANTIATE_TEST_SUITE_P(AllEncodings, CategoryRoundTrip, testing::ValuesIn(encodedCategories()),
                         [](const testing::TestParamInfo<EncodedCategory>& info) { return info.param.name; });

TEST(CategoryFile, Utf32FilesKeepTheirFormAndByteOrder) {
    const std::string leMark("\xFF\xFE\0\0", 4), beMark("\0\0\xFE\xFF", 4);
    // A surrogate value stays a lone surrogate; a unit beyond U+10FFFF reads as
    // U+FFFD and its line goes back as it came (only after 00 00 FE FF: behind
    // FF FE 00 00 it would make the file UTF-16LE).
    const std::u32string first = U"Caf\u00E9=\U0001F600.exe\r\nLone\xD800=x.exe\r\n";
    const std::u32string last = U"Last=z.exe\r\n", added = U"New=new.exe\r\n";
    const std::u32string badLine = U"Bad\x110000=y.exe\r\n";
    const struct {
        std::string mark;
        bool bigEndian;
        std::u32string middle;
    } cases[] = {{leMark, false, U""}, {"", false, U""}, {beMark, true, badLine}};
    for (const auto& c : cases) {
        TempFolder dir;
        const std::wstring path = dir.file(L"Wide.kvl");
        writeBytes(path, c.mark + utf32Bytes(first + c.middle + last, c.bigEndian));
        CategoryStore store;
        ASSERT_TRUE(loadCategoryFile(store, path));
        EXPECT_EQ(store.fileFormat, c.bigEndian ? TextFormat::Utf32Be : TextFormat::Utf32Le);
        ASSERT_EQ(store.items.size(), c.middle.empty() ? 3u : 4u);
        EXPECT_EQ(itemText(store.items[0]), L"Caf\u00E9");
        EXPECT_EQ(itemDefinition(store.items[0]), L"\U0001F600.exe");
        EXPECT_EQ(itemText(store.items[1]), L"Lone\xD800");
        store.items.insert(store.items.end() - 1, categoryItem(L"New", L"new.exe"));
        ASSERT_TRUE(saveCategoryFile(store, path));
        EXPECT_EQ(readBytes(path), c.mark + utf32Bytes(first + c.middle + added + last, c.bigEndian));
    }
}

TEST(CategoryFile, AnUntouchedLineKeepsBytesOfAnotherEncoding) {
    TempFolder dir;
    const std::wstring path = dir.file(L"Mixed.kvl");
    const std::string latin1 = "D\xE9j\xE0 vu=old.exe -x\r\n";
    const std::string utf8 = "Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9""e";  // outnumbers the stray bytes: UTF-8
    writeBytes(path, utf8 + "=a.exe\r\n" + latin1 + "M\xFCller=m.exe\r\n");
    CategoryStore store;
    ASSERT_TRUE(loadCategoryFile(store, path));
    ASSERT_EQ(store.fileFormat, TextFormat::Utf8);
    EXPECT_EQ(itemText(store.items[1]), L"D\u00E9j\u00E0 vu");
    setItemDefinition(store.items[0], L"b.exe");
    setItemDefinition(store.items[2], L"n.exe");
    ASSERT_TRUE(saveCategoryFile(store, path));
    EXPECT_EQ(readBytes(path), utf8 + "=b.exe\r\n" + latin1 + "M\xFCller=n.exe\r\n")
        << "an edited item keeps its caption's bytes";
}

TEST(CategoryFile, OddLinesAreKeptOrDroppedAsTheFormatSays) {
    TempFolder dir;
    writeBytes(dir.file(L"a.kvl"), "a=b=c\r\nno equals sign\r\n   \r\n=only definition\r\n-=\r\n");
    CategoryStore store;
    ASSERT_TRUE(loadCategoryFile(store, dir.file(L"a.kvl")));
    ASSERT_EQ(store.items.size(), 4u);
    EXPECT_EQ(itemText(store.items[0]), L"a");
    EXPECT_EQ(itemDefinition(store.items[0]), L"b=c") << "the second = belongs to the definition";
    EXPECT_EQ(itemText(store.items[1]), L"");
    EXPECT_EQ(itemDefinition(store.items[1]), L"");
    EXPECT_EQ(itemText(store.items[2]), L"") << "an empty caption is never written";
    EXPECT_EQ(itemText(store.items[3]), L"-");
    ASSERT_TRUE(saveCategoryFile(store, dir.file(L"a.kvl")));
    EXPECT_EQ(readBytes(dir.file(L"a.kvl")), "a=b=c\r\n-=\r\n");
}

TEST(CategoryFile, LoadsWithoutAnItemLeaveNoCurrentItem) {
    TempFolder dir;
    writeBytes(dir.file(L"text.kvl"), "just text\r\n");
    writeBytes(dir.file(L"zero.kvl"), "");
    CategoryStore store;
    store.items.resize(2);
    store.selectedItem = 1;
    EXPECT_FALSE(loadCategoryFile(store, dir.file(L"missing.kvl")));
    EXPECT_TRUE(store.items.empty()) << "a missing file leaves an empty list";
    EXPECT_EQ(store.selectedItem, -1);
    for (const wchar_t* name : {L"text.kvl", L"zero.kvl"}) {
        ASSERT_TRUE(loadCategoryFile(store, dir.file(name)));
        EXPECT_EQ(store.selectedItem, -1) << "no line with = in " << testing::PrintToString(std::wstring(name));
    }
}

TEST(CategoryFile, TheFormatOfTheFileReadLastIsUsedForEveryFile) {
    TempFolder dir;
    CategoryStore store;
    EXPECT_EQ(store.fileFormat, TextFormat::Utf8);
    EXPECT_TRUE(store.fileHasBom) << "before any file is read: UTF-8 with a mark";

    writeBytes(dir.file(L"wide.kvl"), "\xFF\xFE" + utf16Bytes(L"x=y\r\n"));
    ASSERT_TRUE(loadCategoryFile(store, dir.file(L"wide.kvl")));
    clearCategoryItems(store);
    store.items.push_back(categoryItem(L"New", L"new.exe"));
    ASSERT_TRUE(saveCategoryFile(store, dir.file(L"brand new.kvl")));
    EXPECT_EQ(readBytes(dir.file(L"brand new.kvl")), "\xFF\xFE" + utf16Bytes(L"New=new.exe\r\n"));
}

TEST(CategoryFile, AnsiTextOutsideTheCodePageIsWrittenAsUtf8) {
    TempFolder dir;
    writeBytes(dir.file(L"old.kvl"), "M\xFCller=x.exe\r\n");
    CategoryStore store;
    ASSERT_TRUE(loadCategoryFile(store, dir.file(L"old.kvl")));
    ASSERT_EQ(store.fileFormat, TextFormat::Ansi);
    store.items.push_back(categoryItem(L"\u4E2D\u6587", L"y.exe"));
    ASSERT_TRUE(saveCategoryFile(store, dir.file(L"old.kvl")));
    CategoryStore again;
    ASSERT_TRUE(loadCategoryFile(again, dir.file(L"old.kvl")));
    EXPECT_EQ(again.fileFormat, TextFormat::Utf8);
    EXPECT_TRUE(again.fileHasBom);
    ASSERT_EQ(again.items.size(), 2u);
    EXPECT_EQ(itemText(again.items[0]), L"M\u00FCller");
    EXPECT_EQ(itemText(again.items[1]), L"\u4E2D\u6587");
}

TEST(CategoryFile, LongAnsiCategoryKeepsEveryLine) {
    // Thousands of lines with every kind of line end, and one of 9,000 characters.
    std::wstring stored, written;
    for (int i = 0; i < 3000; ++i) {
        const std::wstring line =
            L"Gr\u00F6\u00DFe " + std::to_wstring(i) + L"=caf\u00E9" + std::wstring(i == 1500 ? 9000 : 1, L'x');
        stored += line + (i % 3 == 0 ? L"\r\n" : i % 3 == 1 ? L"\n" : L"\r");
        written += line + L"\r\n";
    }
    TempFolder dir;
    writeBytes(dir.file(L"long.kvl"), ansiBytes(stored));
    CategoryStore store;
    ASSERT_TRUE(loadCategoryFile(store, dir.file(L"long.kvl")));
    ASSERT_TRUE(saveCategoryFile(store, dir.file(L"long.kvl")));
    EXPECT_EQ(readBytes(dir.file(L"long.kvl")), ansiBytes(written));
}

TEST(CategoryFile, ShorterContentLeavesNoRemains) {
    TempFolder dir;
    writeBytes(dir.file(L"a.kvl"), "First=one.exe\r\nSecond=two.exe with a long definition\r\n");
    CategoryStore store;
    ASSERT_TRUE(loadCategoryFile(store, dir.file(L"a.kvl")));
    store.items.pop_back();
    ASSERT_TRUE(saveCategoryFile(store, dir.file(L"a.kvl")));
    EXPECT_EQ(readBytes(dir.file(L"a.kvl")), "First=one.exe\r\n");
}

TEST(CategoryFile, InsertingPutsItemsAfterTheCurrentOne) {
    TempFolder dir;
    writeBytes(dir.file(L"main.kvl"), "A=a\r\nB=b\r\nC=c\r\n");
    writeBytes(dir.file(L"temp.kvl"), "X=x\r\nY=y\r\n");
    CategoryStore store;
    ASSERT_TRUE(loadCategoryFile(store, dir.file(L"main.kvl")));
    store.selectedItem = 1;
    ASSERT_TRUE(insertCategoryFile(store, dir.file(L"temp.kvl")));
    std::wstring order;
    for (const CategoryItem& item : store.items) order += itemText(item);
    EXPECT_EQ(order, L"ABXYC");
    EXPECT_EQ(store.selectedItem, 2) << "the first inserted item becomes current";

    EXPECT_FALSE(insertCategoryFile(store, dir.file(L"missing.kvl")));
    EXPECT_EQ(store.items.size(), 5u);
    EXPECT_EQ(store.selectedItem, 2);
}

TEST(CategoryFile, FailedSaveLeavesTheOldFileWhole) {
    TempFolder dir;
    const std::wstring path = dir.file(L"busy.kvl");
    writeBytes(path, "Old=old.exe\r\n");
    CategoryStore store;
    store.items.push_back(categoryItem(L"New", L"new.exe"));
    {
        // An open handle that does not share deletion makes the replacement step fail.
        std::ifstream holder(std::filesystem::path(path), std::ios::binary);
        ASSERT_TRUE(holder.is_open());
        EXPECT_FALSE(saveCategoryFile(store, path));
    }
    EXPECT_EQ(readBytes(path), "Old=old.exe\r\n");
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path)) files += entry.is_regular_file();
    EXPECT_EQ(files, 1) << "no half-written file is left beside it";

    EXPECT_FALSE(saveCategoryFile(store, dir.file(L"no such folder\\a.kvl")));
}

TEST(CategoryFile, ReadOnlyFileIsRefusedAndHiddenFileStaysHidden) {
    TempFolder dir;
    const std::wstring locked = dir.file(L"locked.kvl");
    writeBytes(locked, "Old=old.exe\r\n");
    ASSERT_TRUE(setFileAttributes(locked, kFileAttributeReadOnly));
    CategoryStore store;
    store.items.push_back(categoryItem(L"New", L"new.exe"));
    EXPECT_FALSE(saveCategoryFile(store, locked));
    EXPECT_EQ(readBytes(locked), "Old=old.exe\r\n");
    setFileAttributes(locked, 0x80);

    const std::wstring hidden = dir.file(L"hidden.kvl");
    writeBytes(hidden, "Old=old.exe\r\n");
    ASSERT_TRUE(setFileAttributes(hidden, kFileAttributeHidden));
    ASSERT_TRUE(saveCategoryFile(store, hidden));
    EXPECT_EQ(readBytes(hidden), "\xEF\xBB\xBFNew=new.exe\r\n");
    EXPECT_NE(fileAttributes(hidden) & kFileAttributeHidden, 0u);
}

}  // namespace

namespace {

TEST(CategoryFile, PathsLongerThan260Characters) {
    TempFolder dir;
    std::filesystem::path deep = dir.path;
    for (int i = 0; i < 6; ++i) deep /= std::wstring(50, static_cast<wchar_t>(L'a' + i));
    std::filesystem::create_directories(deep);
    const std::wstring path = (deep / L"Long category name.kvl").wstring();
    ASSERT_GT(path.size(), 300u);
    CategoryStore store;
    store.items.push_back(categoryItem(L"Deep", L"deep.exe"));
    ASSERT_TRUE(saveCategoryFile(store, path));
    ASSERT_TRUE(saveCategoryFile(store, path)) << "replacing an existing long-named file";
    CategoryStore again;
    ASSERT_TRUE(loadCategoryFile(again, path));
    ASSERT_EQ(again.items.size(), 1u);
    EXPECT_EQ(itemDefinition(again.items[0]), L"deep.exe");
    EXPECT_EQ(fullPathName(path), path);
}

}  // namespace
