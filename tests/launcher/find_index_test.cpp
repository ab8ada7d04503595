#include <gtest/gtest.h>

#include <filesystem>

#include "launcher/find_index.h"
#include "platform/text_case.h"
#include "support/test_files.h"

namespace {

// Category files are found in the current folder, the data folder.
struct InFolder {
    std::filesystem::path before = std::filesystem::current_path();
    explicit InFolder(const TempFolder& dir) { std::filesystem::current_path(dir.path); }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;
    ~InFolder() { std::filesystem::current_path(before); }
};

std::string utf8Lines(const std::wstring& text) { return "\xEF\xBB\xBF" + std::string(text.begin(), text.end()); }

// "caption (category)" of each result, in order.
std::wstring found(const FindIndex& index, const std::wstring& text) {
    std::wstring list;
    for (const FindResult& r : findItems(index, foldedForSearch(text))) {
        const IndexedCategory& c = index.categories[static_cast<size_t>(r.category)];
        list += (list.empty() ? L"" : L", ") + c.items[static_cast<size_t>(r.item)].caption + L" (" + c.name + L")";
    }
    return list;
}

TEST(FindIndex, RanksCaptionStartThenWordStartThenCaptionThenFileName) {
    TempFolder dir;
    InFolder here(dir);
    writeBytes(dir.file(L"Alpha.kvl"), "Notes tool=C:\\x\\a.exe\r\nPro=\r\n-=\r\nIn a note=C:\\x\\b.exe\r\n"
                                       "Other=C:\\x\\notepad.exe\r\n=C:\\x\\note.exe\r\n");
    writeBytes(dir.file(L"Beta.kvl"), "Denote=C:\\x\\c.exe\r\nNote=C:\\x\\d.exe;--x;C:\\x\r\nmy-notes=C:\\y\\e.exe\r\n");
    FindIndex index;
    refreshFindIndex(index, {L"Alpha", L"Beta"}, DriveLetters{});
    EXPECT_EQ(found(index, L"NOTE"),
              L"Notes tool (Alpha), Note (Beta), In a note (Alpha), my-notes (Beta), Denote (Beta), Other (Alpha)");
    EXPECT_EQ(found(index, L"pro"), L"") << "a heading without a command is no result";
    EXPECT_EQ(found(index, L""), L"");
    EXPECT_EQ(found(index, L"-"), L"my-notes (Beta)") << "separators never match";
}

// Letters typed on look only at what the text before found: in the same
// order as a search of everything, items moving to a lower rank included.
TEST(FindIndex, NarrowingWhatWasFoundGivesWhatASearchOfEverythingGives) {
    TempFolder dir;
    InFolder here(dir);
    writeBytes(dir.file(L"Alpha.kvl"), "Notes tool=C:\\x\\a.exe\r\nIn a note=C:\\x\\b.exe\r\nOther=C:\\x\\notepad.exe\r\n"
                                       "No way=C:\\x\\f.exe\r\nknot=C:\\x\\g.exe\r\n");
    writeBytes(dir.file(L"Beta.kvl"), "Denote=C:\\x\\c.exe\r\nNote=C:\\x\\d.exe\r\nmy-notes=C:\\y\\e.exe\r\nnotary=C:\\z.exe\r\n"
                                      "Nob notes=C:\\x\\h.exe\r\n");
    FindIndex index;
    refreshFindIndex(index, {L"Alpha", L"Beta"}, DriveLetters{});
    const std::wstring typed = L"notepad";
    std::vector<FindResult> results = findItems(index, L"n");
    for (size_t length = 2; length <= typed.size(); ++length) {
        const std::wstring text = typed.substr(0, length);
        results = findItemsAmong(index, results, text);
        const std::vector<FindResult> everything = findItems(index, text);
        ASSERT_EQ(results.size(), everything.size()) << "typed " << std::string(text.begin(), text.end());
        for (size_t i = 0; i < results.size(); ++i) {
            EXPECT_EQ(results[i].category, everything[i].category);
            EXPECT_EQ(results[i].item, everything[i].item);
        }
    }
}

TEST(FindIndex, LetterCaseAndAccentsAside) {
    TempFolder dir;
    InFolder here(dir);
    writeBytes(dir.file(L"Docs.kvl"), utf8Lines(L"") + "\xC3\x84rger=C:\\a.exe\r\nCaf\xC3\xA9 list=C:\\b.exe\r\n");
    FindIndex index;
    refreshFindIndex(index, {L"Docs"}, DriveLetters{});
    EXPECT_EQ(found(index, L"ar"), L"\u00C4rger (Docs)") << "a finds \u00E4";
    EXPECT_EQ(found(index, L"\u00E4R"), L"\u00C4rger (Docs)");
    EXPECT_EQ(found(index, L"ae"), L"") << "ae is not \u00E4";
    EXPECT_EQ(found(index, L"cafe"), L"Caf\u00E9 list (Docs)");
}

TEST(FindIndex, LigaturesAndTheSharpSAsTheLettersTheyStandFor) {
    TempFolder dir;
    InFolder here(dir);
    writeBytes(dir.file(L"Docs.kvl"), utf8Lines(L"") + "Stra\xC3\x9F" "e=C:\\a.exe\r\n\xC5\x92uvre=C:\\b.exe\r\n"
                                                         "\xEF\xAC\x81le=C:\\c.exe\r\n");
    FindIndex index;
    refreshFindIndex(index, {L"Docs"}, DriveLetters{});
    for (const wchar_t* text : {L"strasse", L"STRASSE", L"stra\u00DFe", L"STRA\u1E9EE"})
        EXPECT_EQ(found(index, text), L"Stra\u00DFe (Docs)") << text;
    EXPECT_EQ(found(index, L"oeuvre"), L"\u0152uvre (Docs)");
    EXPECT_EQ(found(index, L"file"), L"\uFB01le (Docs)");
}

TEST(FindIndex, SeesFilesGoneOrChangedInSizeOrTimeWithoutListingTheFolder) {
    TempFolder dir;
    InFolder here(dir);
    writeBytes(dir.file(L"One.kvl"), "First=C:\\a.exe\r\n");
    writeBytes(dir.file(L"Two.kvl"), "Second=C:\\b.exe\r\n");
    FindIndex index;
    refreshFindIndex(index, {L"One", L"Two"}, DriveLetters{});
    const auto written = std::filesystem::last_write_time(dir.path / L"Two.kvl");
    writeBytes(dir.file(L"Two.kvl"), "Seconds=C:\\b.exe\r\n");
    std::filesystem::last_write_time(dir.path / L"Two.kvl", written);
    std::filesystem::remove(dir.path / L"One.kvl");
    EXPECT_TRUE(categoryFileChanged(index.categories[0]) && categoryFileChanged(index.categories[1]));
    EXPECT_TRUE(refreshChangedCategories(index, DriveLetters{}));
    EXPECT_EQ(found(index, L"s"), L"Seconds (Two)") << "another size at the same time";
    EXPECT_FALSE(refreshChangedCategories(index, DriveLetters{}));
}

TEST(FindIndex, ReadsAgainOnlyWhatChangedAndSkipsWhatCannotBeRead) {
    TempFolder dir;
    InFolder here(dir);
    writeBytes(dir.file(L"One.kvl"), "First=C:\\a.exe\r\n");
    writeBytes(dir.file(L"Two.kvl"), "Second=C:\\b.exe\r\n");
    std::filesystem::create_directories(dir.path / L"Folder.kvl");
    FindIndex index;
    refreshFindIndex(index, {L"One", L"Two", L"Gone", L"Folder"}, DriveLetters{});
    ASSERT_EQ(index.categories.size(), 2u);
    EXPECT_EQ(index.filesRead, 2);

    refreshFindIndex(index, {L"One", L"Two"}, DriveLetters{});
    EXPECT_EQ(index.filesRead, 2) << "unchanged files are not read again";

    writeBytes(dir.file(L"Two.kvl"), "Second=C:\\b.exe\r\nThird=C:\\c.exe\r\n");
    std::filesystem::last_write_time(dir.path / L"Two.kvl",
                                     std::filesystem::last_write_time(dir.path / L"One.kvl") + std::chrono::seconds(5));
    refreshFindIndex(index, {L"Two"}, DriveLetters{});
    EXPECT_EQ(index.filesRead, 3);
    EXPECT_EQ(found(index, L"third"), L"Third (Two)");
    EXPECT_EQ(found(index, L"first"), L"") << "a category no longer listed is dropped";
    EXPECT_EQ(readBytes(dir.file(L"Two.kvl")), "Second=C:\\b.exe\r\nThird=C:\\c.exe\r\n");
}

TEST(FindIndex, ItemsFollowTheDriveAsWhenTheirCategoryIsShown) {
    TempFolder dir;
    InFolder here(dir);
    writeBytes(dir.file(L"Stick.kvl"), "Tool=K:\\Tools\\tool.exe;K:\\data.txt\r\n");
    FindIndex index;
    refreshFindIndex(index, {L"Stick"}, DriveLetters{true, L'E', L'C', L'C'});
    ASSERT_EQ(index.categories.size(), 1u);
    EXPECT_EQ(itemDefinition(index.categories[0].items[0].item), L"E:\\Tools\\tool.exe;E:\\data.txt");
}

TEST(FindIndex, StartupAndTempCategoriesAreNotSearched) {
    EXPECT_EQ(searchedCategories({L"Alpha", L"TEMP", L"Beta", L"&Startup"}, L"&startup"),
              (std::vector<std::wstring>{L"Alpha", L"Beta"}));
    EXPECT_EQ(searchedCategories({L"Alpha"}, L""), (std::vector<std::wstring>{L"Alpha"}));
}

}  // namespace
