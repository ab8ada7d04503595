#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "find/find_learning.h"
#include "find/program_shortcuts.h"
#include "find/shortcut_reading.h"
#include "platform/shell_links.h"
#include "support/test_files.h"

namespace {

const std::wstring kRow = itemRowKey(L"Tools", L"Editor", L"C:\\editor.exe");

TEST(FindLearning, KeepsTheNewestChoicesAndReadsBackWhatItWrote) {
    std::vector<LearnedChoice> choices;
    for (uint64_t t = 0; t <= kMostLearnedChoices; ++t)
        ASSERT_TRUE(learnChoice(choices, L"t" + std::to_wstring(t), kRow, 1000 + t));
    ASSERT_EQ(choices.size(), kMostLearnedChoices);
    for (const LearnedChoice& choice : choices) EXPECT_NE(choice.typed, L"t0") << "the oldest went";
    ASSERT_TRUE(learnChoice(choices, L"t7", kRow, 5000));
    ASSERT_EQ(choices.size(), kMostLearnedChoices);
    const auto again = std::find_if(choices.begin(), choices.end(), [](const LearnedChoice& c) { return c.typed == L"t7"; });
    ASSERT_NE(again, choices.end());
    EXPECT_EQ(again->uses, 2u);
    EXPECT_EQ(again->lastUse, 5000u);

    const std::wstring text = formatLearnedChoices(choices);
    EXPECT_EQ(formatLearnedChoices(parseLearnedChoices(text)), text) << "every field read back";
    EXPECT_FALSE(learnChoice(choices, L"", kRow, 1)) << "nothing typed";
    EXPECT_FALSE(learnChoice(choices, L"x", itemRowKey(L"Tools", std::wstring(kLongestLearnedRow, L'x'), L""), 1));
}

TEST(FindLearning, PassesOverLinesThatAreNoChoices) {
    const std::vector<LearnedChoice> read = parseLearnedChoices(
        L"; a comment\r\n"
        L"x\t1\tab\titem\tTools\tEditor=C:\\editor.exe\r\n"
        L"0\t1\tab\titem\tTools\tEditor=C:\\editor.exe\r\n"
        L"4294967296\t1\tab\titem\tTools\tEditor=C:\\editor.exe\n"
        L"1\t1\t\titem\tTools\tEditor=C:\\editor.exe\r"
        L"1\t1\tab\tother\tC:\\x.lnk\r\n"
        L"1\t1\tab\r\n"
        L"3\t99\ted it\tlink\tC:\\Menu\\Editor.lnk");
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].uses, 3u);
    EXPECT_EQ(read[0].typed, L"ed it");
    EXPECT_EQ(read[0].row, shortcutRowKey(L"C:\\Menu\\Editor.lnk"));
    EXPECT_EQ(rowKeyHash(kRow), itemRowHash(L"Tools", L"Editor", L"C:\\editor.exe"));
}

// Shortcut folders as Windows lays them out: groups in the Start menu, none
// looked into on the desktop; a folder that is not there passes unnoticed.
TEST(ProgramShortcuts, ReadsTheGroupsAndAgainOnlyWhenAFolderChanged) {
    TempFolder dir;
    std::filesystem::create_directories(dir.path / L"Menu" / L"Accessories");
    std::filesystem::create_directories(dir.path / L"Desk" / L"Mine");
    ShellLinkInfo link;
    link.path = L"C:\\windows\\notepad.exe";
    createShellLink(link, dir.file(L"Menu\\Accessories\\Pad.lnk"));
    createShellLink(link, dir.file(L"Menu\\Top.lnk"));
    createShellLink(link, dir.file(L"Desk\\Desk.lnk"));
    createShellLink(link, dir.file(L"Desk\\Mine\\Inner.lnk"));
    writeBytes(dir.file(L"Menu\\readme.txt"), "not a shortcut");
    const std::vector<ShortcutRoot> roots = {{dir.file(L"Menu"), L"Start menu", true},
                                             {dir.file(L"Desk"), L"Desktop", false},
                                             {dir.file(L"Gone"), L"Gone", true}};
    ProgramShortcuts found;
    ASSERT_TRUE(refreshProgramShortcuts(found, roots));
    std::vector<std::wstring> seen;
    for (const ProgramShortcut& s : found.shortcuts) seen.push_back(s.name + L" | " + s.place + L" | " + s.target);
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"Desk | Desktop | c:\\windows\\notepad.exe",
                                                L"Pad | Start menu › Accessories | c:\\windows\\notepad.exe",
                                                L"Top | Start menu | c:\\windows\\notepad.exe"}));
    EXPECT_FALSE(refreshProgramShortcuts(found, roots)) << "nothing changed";
    createShellLink(link, dir.file(L"Menu\\Accessories\\Pad 2.lnk"));
    EXPECT_TRUE(refreshProgramShortcuts(found, roots)) << "a group got a shortcut";
    EXPECT_EQ(found.shortcuts.size(), 4u);
}

// Read on a thread of their own: whole when handed over, a file larger than
// any shortcut left out, and an unchanged menu hands over no change.
TEST(ProgramShortcuts, AreReadOnAThreadOfTheirOwn) {
    TempFolder dir;
    std::filesystem::create_directories(dir.path / L"Menu");
    ShellLinkInfo link;
    link.path = L"C:\\windows\\notepad.exe";
    for (int i = 0; i < 250; ++i) createShellLink(link, dir.file(L"Menu\\Pad " + std::to_wstring(i) + L".lnk"));
    writeBytes(dir.file(L"Menu\\Large.lnk"), readBytes(dir.file(L"Menu\\Pad 0.lnk")) +
                                                 std::string(static_cast<size_t>(kLargestShortcutFile), ' '));
    const std::vector<ShortcutRoot> roots = {{dir.file(L"Menu"), L"Start menu", true}};
    const auto readAll = [&](ShortcutReader& reader, ProgramShortcuts& known) {
        if (!startShortcutReading(reader, known, roots, WorkNotice{})) return false;
        for (int wait = 0; wait < 1000 && shortcutsBeingRead(reader); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return takeReadShortcuts(reader, known);
    };
    ShortcutReader reader;
    ProgramShortcuts known;
    ASSERT_TRUE(readAll(reader, known));
    EXPECT_TRUE(known.read);
    ASSERT_EQ(known.shortcuts.size(), 250u);
    for (const ProgramShortcut& s : known.shortcuts) EXPECT_EQ(s.target, L"c:\\windows\\notepad.exe") << s.name;
    EXPECT_FALSE(readAll(reader, known)) << "nothing changed";
    EXPECT_EQ(known.shortcuts.size(), 250u);
}

}  // namespace
