#include <gtest/gtest.h>

#include <filesystem>

#include "launch/item_fields.h"
#include "find/find_index.h"
#include "find/find_learning.h"
#include "find/program_shortcuts.h"
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

// "caption (category)" of each result, in order; ordered by what was learned
// when a ranking is given.
std::wstring found(const FindIndex& index, const std::wstring& text, const LearnedRanking* learned = nullptr) {
    std::wstring list;
    std::vector<FindResult> results = findItems(index, foldedForSearch(text));
    if (learned) orderByLearning(results, index, *learned, foldedForSearch(text));
    for (const FindResult& r : results) {
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
    EXPECT_EQ(found(index, L"aerg"), L"") << "ae is not \u00E4";
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
    writeBytes(dir.file(L"One.kvl"), "Flow=C:\\x.exe\r\nFirst one=C:\\a.exe\r\n");
    writeBytes(dir.file(L"Two.kvl"), "Second=C:\\b.exe\r\n");
    std::filesystem::create_directories(dir.path / L"Folder.kvl");
    FindIndex index;
    refreshFindIndex(index, {L"One", L"Two", L"Gone", L"Folder"}, DriveLetters{});
    ASSERT_EQ(index.categories.size(), 2u);
    EXPECT_EQ(index.filesRead, 2);

    refreshFindIndex(index, {L"One", L"Two"}, DriveLetters{});
    EXPECT_EQ(index.filesRead, 2) << "unchanged files are not read again";
    EXPECT_EQ(found(index, L"fo"), L"First one (One), Flow (One)") << "initials before letters with gaps";

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

ProgramShortcut shortcut(const std::wstring& name, const std::wstring& target) {
    return ProgramShortcut{L"C:\\Menu\\" + name + L".lnk", name, L"Start menu", FileStamp{}, toLowerCase(target)};
}

// The same program in a category and in the Start menu is the user's item.
TEST(FindIndex, ShortcutsFollowTheItemsOfTheirMatchClassUnlessAnItemStartsThem) {
    TempFolder dir;
    InFolder here(dir);
    writeBytes(dir.file(L"Alpha.kvl"), "Note pad=tools\\pad.exe\r\nMy notes=C:\\x\\n.txt\r\nEditor=C:\\Apps\\editor.exe\r\n");
    FindIndex index;
    refreshFindIndex(index, {L"Alpha"}, DriveLetters{});
    const std::vector<ProgramShortcut> shortcuts = {shortcut(L"Notebook", L"C:\\Apps\\notebook.exe"),
                                                    shortcut(L"Scribe", L"C:\\APPS\\Editor.exe"),
                                                    shortcut(L"Pad", toFullPath(L"tools\\pad.exe"))};
    placeShortcuts(index, shortcuts, L"Start menu");
    EXPECT_EQ(found(index, L"note"), L"Note pad (Alpha), Notebook (Start menu), My notes (Alpha)");
    EXPECT_EQ(found(index, L"edit"), L"Editor (Alpha)") << "an item starts that target";
    EXPECT_EQ(found(index, L"scri"), L"Editor (Alpha)") << "and is found by the shortcut's name";
    EXPECT_EQ(found(index, L"pad"), L"Note pad (Alpha)") << "the item's command made absolute";
    ASSERT_EQ(index.shortcutOfItem, std::vector<size_t>{0});
    placeShortcuts(index, {}, L"Start menu");
    EXPECT_EQ(found(index, L"note"), L"Note pad (Alpha), My notes (Alpha)");
    EXPECT_EQ(found(index, L"scri"), L"");
}

TEST(FindIndex, TheRowChosenForATextComesFirstAndRowsStartedOftenRise) {
    TempFolder dir;
    InFolder here(dir);
    writeBytes(dir.file(L"Alpha.kvl"), "Report 2024=C:\\r1.exe\r\nReport 2023=C:\\r2.exe\r\nOld report=C:\\r3.exe\r\n"
                                       "Reports=C:\\r4.exe\r\n");
    FindIndex index;
    refreshFindIndex(index, {L"Alpha"}, DriveLetters{});
    const uint64_t now = 13441246949;
    std::vector<LearnedChoice> choices;
    for (int i = 0; i < 2; ++i) learnChoice(choices, L"rep", itemRowKey(L"Alpha", L"Report 2023", L"C:\\r2.exe"), now);
    for (int i = 0; i < 5; ++i) learnChoice(choices, L"old", itemRowKey(L"Alpha", L"Reports", L"C:\\r4.exe"), now);
    learnChoice(choices, L"old", itemRowKey(L"Alpha", L"Old report", L"C:\\r3.exe"), now - 400 * 86400);
    const LearnedRanking ranking = learnedRanking(choices, now);
    const std::wstring favourite = L"Report 2023 (Alpha), Reports (Alpha), Report 2024 (Alpha), Old report (Alpha)";
    EXPECT_EQ(found(index, L"rep", &ranking), favourite);
    EXPECT_EQ(found(index, L"re", &ranking), favourite) << "a text that the one learned begins with";
    EXPECT_EQ(found(index, L"report", &ranking), favourite) << "a text that begins with the one learned";
    EXPECT_EQ(found(index, L"port", &ranking), L"Reports (Alpha), Report 2023 (Alpha), Old report (Alpha), Report 2024 (Alpha)")
        << "no text like it learned: by starts, those long ago weighing little";
    EXPECT_EQ(found(index, L"rep"), L"Report 2024 (Alpha), Report 2023 (Alpha), Reports (Alpha), Old report (Alpha)");
}

TEST(FindIndex, StartupAndTempCategoriesAreNotSearched) {
    EXPECT_EQ(searchedCategories({L"Alpha", L"TEMP", L"Beta", L"&Startup"}, L"&startup"),
              (std::vector<std::wstring>{L"Alpha", L"Beta"}));
    EXPECT_EQ(searchedCategories({L"Alpha"}, L""), (std::vector<std::wstring>{L"Alpha"}));
}

}  // namespace
