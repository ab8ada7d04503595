#include <filesystem>

#include "launch/launch_item.h"
#include "launch/recorded_launch.h"
#include "platform/popup_menus.h"
#include "settings/general_settings.h"

namespace {

using FileMenu = RecordedLaunch;

void makeFiles(const TempFolder& folder, std::initializer_list<const wchar_t*> names) {
    for (const wchar_t* name : names) writeBytes(folder.file(name), "x");
}

std::vector<std::wstring> textsOf(const std::vector<MenuEntry>& entries) {
    std::vector<std::wstring> texts;
    for (const MenuEntry& e : entries) texts.push_back(e.text);
    return texts;
}

TEST_F(FileMenu, ListsMatchingFilesSortedWithoutLetterCase) {
    TempFolder docs;
    makeFiles(docs, {L"b.txt", L"A.doc", L"c.TXT", L"notes.md"});
    std::filesystem::create_directory(docs.path / L"folder.txt");
    bool hide = true;
    EXPECT_EQ(fileMenuFiles(L" *.txt , *.doc", docs.path.wstring(), hide),
              (std::vector<std::wstring>{L"A.doc", L"b.txt", L"c.TXT"}));
    EXPECT_FALSE(hide);
    EXPECT_EQ(fileMenuFiles(L"*.txt,,*.doc", docs.path.wstring(), hide),
              (std::vector<std::wstring>{L"b.txt", L"c.TXT"}))
        << "an empty field ends the list";
    EXPECT_EQ(fileMenuFiles(L"*.md,*.MD", docs.path.wstring(), hide),
              (std::vector<std::wstring>{L"notes.md", L"notes.md"}))
        << "a file matched twice is listed twice";
    EXPECT_EQ(fileMenuFiles(L"/NOEXT *.md", docs.path.wstring(), hide), (std::vector<std::wstring>{L"notes.md"}));
    EXPECT_TRUE(hide);
    EXPECT_TRUE(fileMenuFiles(L"*.txt", docs.file(L"missing"), hide).empty());
}

TEST_F(FileMenu, RelativeFolderAndEmptyFolderResolveInTheDataFolder) {
    std::filesystem::create_directory(data.path / L"Docs");
    writeBytes(data.file(L"Docs\\one.txt"), "x");
    writeBytes(data.file(L"top.txt"), "x");
    bool hide = false;
    EXPECT_EQ(fileMenuFiles(L"*.txt", L"Docs", hide), (std::vector<std::wstring>{L"one.txt"}));
    EXPECT_EQ(fileMenuFiles(L"*.txt", L"", hide), (std::vector<std::wstring>{L"top.txt"}));
}

TEST_F(FileMenu, ShowingBuildsMenuZeroFromEntry93) {
    TempFolder docs;
    makeFiles(docs, {L"Report.final.txt", L"read me.txt", L".hidden"});
    prepare(L"Docs", L"files;*.txt,.hidden /noext;" + docs.path.wstring());
    EXPECT_EQ(launchItem(false), kLaunchNothing);
    EXPECT_EQ(launchState.popupMenuMode, kMenuModeFileMenu);
    ASSERT_EQ(recorder.menusShown, std::vector<int>{kFileMenuId});
    const std::vector<MenuEntry> entries = menuEntries(kFileMenuId);
    EXPECT_EQ(textsOf(entries), (std::vector<std::wstring>{L".hidden", L"read me", L"Report.final"}));
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].command, kFirstMenuEntry);
    EXPECT_EQ(entries[2].command, kFirstMenuEntry + 2);
    EXPECT_TRUE(recorder.shellCalls.empty());

    prepare(L"Docs", L"files;*.none;" + docs.path.wstring());
    launchItem(false);
    EXPECT_TRUE(menuEntries(kFileMenuId).empty()) << "the old entries are gone";
}

TEST_F(FileMenu, ChosenEntryOpensWithTheShellOrTheItemsProgram) {
    TempFolder docs;
    makeFiles(docs, {L"a.txt", L"b.txt"});
    prepare(L"Docs", L"files;*.txt;" + docs.path.wstring());
    launchItem(false);
    launchFileMenuEntry(1);
    const std::wstring b = docs.path.wstring() + L"\\b.txt";
    EXPECT_EQ(onlyShellCall().file, b);
    EXPECT_EQ(onlyShellCall().parameters, L"");

    recorder.shellCalls.clear();
    prepare(L"Docs", L"Files   notepad.exe ;*.txt;" + docs.path.wstring() + L"\\");
    launchItem(false);
    launchFileMenuEntry(0);
    EXPECT_EQ(onlyShellCall().file, L"notepad.exe");
    EXPECT_EQ(onlyShellCall().parameters, L"\"" + docs.path.wstring() + L"\\a.txt\"");
    EXPECT_EQ(onlyShellCall().directory, L"");
    EXPECT_EQ(onlyShellCall().verb, L"");

    launchFileMenuEntry(2);
    launchFileMenuEntry(-1);
    EXPECT_EQ(recorder.shellCalls.size(), 1u) << "positions outside the list start nothing";
}

class OpenItemFolder : public RecordedLaunch {
protected:
    void select(const std::wstring& definition) {
        categoryStore.items.clear();
        categoryStore.items.push_back(categoryItem(L"Item", definition));
        categoryStore.selectedItem = 0;
        recorder.shellCalls.clear();
    }
    void TearDown() override {
        categoryStore.items.clear();
        categoryStore.selectedItem = -1;
        RecordedLaunch::TearDown();
    }
};

TEST_F(OpenItemFolder, ExplorerSelectsTheTarget) {
    select(L"C:\\Tools\\app.exe;-x;C:\\Work");
    openItemFolder();
    EXPECT_EQ(onlyShellCall().file, L"Explorer.exe");
    EXPECT_EQ(onlyShellCall().parameters, L" /Select,\"C:\\Tools\\app.exe\"");
    EXPECT_EQ(onlyShellCall().directory, L"C:\\Tools\\");

    select(L"Explorer.exe;/e,;" + dataPath);
    openItemFolder();
    const std::wstring folder = dataPath.substr(0, dataPath.size() - 1);
    EXPECT_EQ(onlyShellCall().parameters, L" /Select,\"" + folder + L"\"") << "the folder loses its backslash";

    select(L"C:\\");
    openItemFolder();
    EXPECT_EQ(onlyShellCall().parameters, L" /Select,\"C:\\\\\"") << "a drive root keeps it, doubled";
    EXPECT_EQ(onlyShellCall().directory, L"C:\\");
}

TEST_F(OpenItemFolder, OtherFileManagersGetTheFolder) {
    generalSettings.FileMgrCom = L"C:\\TC\\tc.exe";
    select(L"C:\\Tools\\app.exe");
    openItemFolder();
    EXPECT_EQ(onlyShellCall().file, L"C:\\TC\\tc.exe");
    EXPECT_EQ(onlyShellCall().parameters, L"\"C:\\Tools\"") << "no backslash to escape the closing quote";
    EXPECT_EQ(onlyShellCall().directory, L"C:\\Tools\\");
}

TEST_F(OpenItemFolder, ARelativeCommandLivesUnderTheDataFolder) {
    select(L"bin\\probe.exe");
    openItemFolder();
    EXPECT_EQ(onlyShellCall().parameters, L" /Select,\"" + dataPath + L"bin\\probe.exe\"");
    EXPECT_EQ(onlyShellCall().directory, dataPath + L"bin\\");

    generalSettings.FileMgrCom = L"C:\\TC\\tc.exe";
    select(L"bin\\probe.exe");
    openItemFolder();
    EXPECT_EQ(onlyShellCall().parameters, L"\"" + dataPath + L"bin\"");
}

TEST_F(OpenItemFolder, OnlyOrdinaryItemsOfASelectedRow) {
    select(L"http://example.org");
    openItemFolder();
    select(L"");
    openItemFolder();
    select(L"kivo;Games");
    openItemFolder();
    categoryStore.selectedItem = -1;
    openItemFolder();
    EXPECT_TRUE(recorder.shellCalls.empty());
}

}  // namespace
