#include <filesystem>

#include "launch/launch_item.h"
#include "launch/recorded_launch.h"
#include "launcher/category_list.h"
#include "platform/centered_message_box.h"
#include "platform/environment.h"
#include "settings/general_settings.h"

namespace {

using LaunchItem = RecordedLaunch;

TEST_F(LaunchItem, ShellArgumentsForEachKindOfCommand) {
    std::filesystem::create_directory(data.path / L"Music Folder");
    struct Case {
        const wchar_t* definition;
        std::wstring file, parameters, directory;
    };
    const Case cases[] = {
        {L"Explorer.exe;/e,/root,;C:\\Work Files", L"Explorer.exe", L"/e,/root, \"C:\\Work Files\"", L""},
        {L"C:\\windows\\explorer.exe;/e,", L"C:\\windows\\explorer.exe", L"/e, ", L""},
        {L"explorer.exe;/e,;\"C:\\Quoted\"", L"explorer.exe", L"/e, \"C:\\Quoted\"", L""},
        {L"Music Folder;-x;C:\\Ignored", L"Explorer.exe", L" \"Music Folder\"", L""},
        {L"C:\\Links\\Mail.lnk;-p;C:\\Work", L"C:\\Links\\Mail.lnk", L"-p", L""},
        {L"tools\\run.exe;a b", dataPath + L"tools\\run.exe", L"a b", dataPath + L"tools\\"},
        {L"C:\\bin\\run.exe;;C:\\Work", L"C:\\bin\\run.exe", L"", L"C:\\Work"},
        {L"notepad.exe;file.txt;C:\\Work", L"notepad.exe", L"file.txt", L"C:\\Work"},
        {L"https://example.org/a?b=c", L"https://example.org/a?b=c", L"", L""},
    };
    for (const Case& c : cases) {
        recorder.shellCalls.clear();
        prepare(L"Item", c.definition);
        EXPECT_EQ(launchItem(false), kLaunchStarted) << c.definition;
        const ShellRequest& call = onlyShellCall();
        EXPECT_EQ(call.file, c.file) << c.definition;
        EXPECT_EQ(call.parameters, c.parameters) << c.definition;
        EXPECT_EQ(call.directory, c.directory) << c.definition;
        EXPECT_EQ(call.verb, L"") << c.definition;
        EXPECT_EQ(call.showCommand, kShowNormal) << c.definition;
        EXPECT_EQ(call.ownerWindowId, launchState.ownerWindowId);
    }
}

TEST_F(LaunchItem, FoldersOpenInTheConfiguredFileManager) {
    generalSettings.FileMgrCom = L"C:\\Tools\\FreeCommander.exe";
    generalSettings.FileMgrParm = L"/T";
    prepare(L"Data", dataPath);
    launchItem(false);
    const ShellRequest& call = onlyShellCall();
    EXPECT_EQ(call.file, L"C:\\Tools\\FreeCommander.exe");
    EXPECT_EQ(call.parameters, L"/T \"" + dataPath.substr(0, dataPath.size() - 1) + L"\"")
        << "a backslash before the closing quote would escape it";
    EXPECT_EQ(call.directory, L"");

    recorder.shellCalls.clear();
    prepare(L"Drive", L"C:");
    launchItem(false);
    EXPECT_EQ(onlyShellCall().parameters, L"/T \"C:\"") << "a drive letter with a colon is a folder";

    recorder.shellCalls.clear();
    prepare(L"Root", L"C:\\");
    launchItem(false);
    EXPECT_EQ(onlyShellCall().parameters, L"/T \"C:\\\\\"") << "a root keeps its backslash, doubled";
}

TEST_F(LaunchItem, ShowModesVerbsAndTheElevationKeys) {
    prepare(L"Min", L"app.exe;;;min");
    launchItem(false);
    prepare(L"Max", L"app.exe;;;max");
    launchItem(false);
    prepare(L"Admin", L"app.exe;;;admin");
    launchItem(false);
    recorder.controlAndShiftHeld = true;
    prepare(L"Min", L"app.exe;;;min");
    launchItem(false);
    launchState.startupReadyWait = 1500;
    launchItem(true);
    launchState.startupReadyWait = 0;
    ASSERT_EQ(recorder.shellCalls.size(), 5u);
    EXPECT_EQ(recorder.shellCalls[0].showCommand, kShowMinimized);
    EXPECT_EQ(recorder.shellCalls[0].verb, L"");
    EXPECT_EQ(recorder.shellCalls[1].showCommand, kShowMaximized);
    EXPECT_EQ(recorder.shellCalls[2].verb, L"runAS");
    EXPECT_EQ(recorder.shellCalls[2].showCommand, kShowNormal);
    EXPECT_EQ(recorder.shellCalls[3].verb, L"runAS") << "Ctrl+Shift elevate";
    EXPECT_EQ(recorder.shellCalls[3].showCommand, kShowMinimized);
    EXPECT_EQ(recorder.shellCalls[4].verb, L"") << "not at start-up";
    EXPECT_EQ(recorder.shellCalls[4].showCommand, kShowMinimized);
    EXPECT_EQ(recorder.shellCalls[4].readyWait, 1500u) << "the launcher comes up after a start-up program";
    EXPECT_EQ(recorder.shellCalls[3].readyWait, 0u);
}

TEST_F(LaunchItem, StartupSkipsSwitchesAndFileMenusButStartsWebAddresses) {
    writeBytes(data.file(L"Games.kvl"), "x=y\r\n");
    prepare(L"Games", L"kivo;Games");
    EXPECT_EQ(launchItem(true), kLaunchNothing);
    prepare(L"Docs", L"files;*.txt");
    EXPECT_EQ(launchItem(true), kLaunchNothing);
    prepare(L"Web", L"http://example.org");
    EXPECT_EQ(launchItem(true), kLaunchStarted);
    EXPECT_EQ(recorder.shellCalls.size(), 1u);
    EXPECT_TRUE(recorder.menusShown.empty());
    EXPECT_TRUE(recorder.boxes.empty());
    EXPECT_EQ(categoryNavigation.targetCategory, L"");
}

TEST_F(LaunchItem, NothingHappensForACommandThatExpandsToNothing) {
    prepare(L"Gone", L"%KIVO_UNSET_VARIABLE%;-x");
    EXPECT_EQ(launchItem(false), kLaunchNothing);
    EXPECT_TRUE(recorder.shellCalls.empty());
    EXPECT_TRUE(recorder.boxes.empty());
    EXPECT_EQ(recorder.beeps, 0);
}

TEST_F(LaunchItem, CategorySwitchNeedsANonEmptyCategoryFile) {
    writeBytes(data.file(L"My Games.kvl"), "Solitaire=sol.exe\r\n");
    writeBytes(data.file(L"Empty.kvl"), "");
    prepare(L"Games", L"Kivo; \"My Games\" ");
    EXPECT_EQ(launchItem(false), kLaunchCategorySwitch);
    EXPECT_EQ(categoryNavigation.targetCategory, L"My Games");
    EXPECT_TRUE(recorder.boxes.empty());

    categoryNavigation.targetCategory.clear();
    // Files that exist, but not as categories of the data folder.
    std::filesystem::create_directories(data.path / L"inner");
    writeBytes(data.file(L"inner\\Mix.kvl"), "A=a.exe\r\n");
    const std::wstring absolute = L"kivo;" + data.file(L"inner\\Mix");
    for (const wchar_t* definition : {L"kivo;Empty", L"kivo;Missing", L"kivo;  ", L"kivo;inner\\Mix", L"kivo;inner/Mix",
                                      L"kivo;.\\inner\\Mix", absolute.c_str()}) {
        recorder.boxes.clear();
        prepare(L"Other", definition);
        EXPECT_EQ(launchItem(false), kLaunchNothing) << definition;
        EXPECT_EQ(recorder.boxes.size(), 1u) << definition;
    }
    EXPECT_EQ(categoryNavigation.targetCategory, L"");
    EXPECT_TRUE(recorder.shellCalls.empty());
}

TEST_F(LaunchItem, FailureAsksWhetherToEnterTheEditor) {
    recorder.shellAnswer = 2;
    setEnvironmentVariable(L"KIVO_TEST_TOOL", L"C:\\Tools");
    prepare(L"%KIVO_TEST_TOOL% Tool", L"missing.exe");
    recorder.boxAnswer = kAnswerNo;
    EXPECT_EQ(launchItem(false), kLaunchNothing);
    recorder.boxAnswer = kAnswerYes;
    EXPECT_EQ(launchItem(false), kLaunchEnterEditor);
    ASSERT_EQ(recorder.boxes.size(), 2u);
    EXPECT_EQ(recorder.boxes[0].text, L"Cannot open: \"%KIVO_TEST_TOOL% Tool\"\rEnter configuration?");
    EXPECT_EQ(recorder.boxes[0].title, L"Error");
    EXPECT_EQ(recorder.boxes[0].flags, kBoxYesNo);
    EXPECT_EQ(recorder.boxes[0].owner, launchState.ownerWindowId);

    launchState.editorOpen = true;
    launchState.ownerWindowId = kEditorWindow;
    EXPECT_EQ(launchItem(false), kLaunchNothing);
    EXPECT_EQ(recorder.boxes.size(), 2u) << "the editor only beeps";
    EXPECT_EQ(recorder.beeps, 1);
    EXPECT_EQ(recorder.shellCalls.back().ownerWindowId, kEditorWindow);
}

TEST_F(LaunchItem, FailureNamesAPathTooLongForTheShell) {
    recorder.shellAnswer = 2;
    const std::wstring deep = L"C:\\" + std::wstring(300, L'x') + L"\\tool.exe";
    prepare(L"Deep", deep);
    launchItem(false);
    ASSERT_EQ(recorder.boxes.size(), 1u);
    EXPECT_EQ(recorder.boxes[0].text, L"Cannot open: \"Deep\"\rPath too long for Windows:\r" + deep +
                                          L"\rEnter configuration?");
}

}  // namespace
