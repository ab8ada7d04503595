// The icon selection dialog fed with events, as its window would report them,
// and with a stand-in for the file requester.
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "editor/icon_selection.h"
#include "launch/launch_state.h"
#include "launcher/commands.h"
#include "platform/icon_handle.h"
#include "platform/icons.h"
#include "platform/shell.h"
#include "platform/ui_events.h"
#include "platform/ui_item_view.h"
#include "platform/ui_windows.h"
#include "settings/language.h"
#include "support/launch_probe_log.h"

namespace {

// three_icons.exe, built beside the test programs, holds three icons.
std::wstring threeIconsProgram() {
    return (std::filesystem::path(probeProgramPath()).parent_path() / L"three_icons.exe").wstring();
}

UiEvent eventOf(int windowId, UiEventKind kind, int code = 0, int control = 0, int data = -1) {
    UiEvent event;
    event.windowId = windowId;
    event.kind = kind;
    event.code = code;
    event.control = control;
    event.data = data;
    return event;
}
UiEvent click(int button) { return eventOf(kIconWindow, UiEventKind::ControlClick, 0, button); }
UiEvent keyDown(int key) { return eventOf(kIconWindow, UiEventKind::Key, key, 0, 1); }

// The requester Browse opens: answers in turn what the test gave it, and
// notes where it started and what the list showed at that moment.
struct FakeRequester {
    std::vector<std::wstring> answers;
    std::vector<std::wstring> startFolders;
    std::vector<std::wstring> rowsSeen;  // the row texts, one line each
    std::vector<int> selectedSeen;
    int ownerSeen = -1;
    int selectOnOpen = -1;  // the row the user picks in the list before this Browse
};
FakeRequester fake;

std::wstring fakeChooseIconFile(int ownerWindowId, const std::wstring& startFolder) {
    fake.ownerSeen = ownerWindowId;
    fake.startFolders.push_back(startFolder);
    std::wstring rows;
    for (int row = 0; row < itemRowCount(kIconWindow, kIconList); ++row)
        rows += itemRowText(kIconWindow, kIconList, row) + L"\n";
    fake.rowsSeen.push_back(rows);
    fake.selectedSeen.push_back(selectedItemRow(kIconWindow, kIconList));
    if (fake.selectOnOpen >= 0) selectItemRow(kIconWindow, kIconList, fake.selectOnOpen);
    const size_t turn = fake.startFolders.size() - 1;
    return turn < fake.answers.size() ? fake.answers[turn] : std::wstring();
}

class IconSelection : public ::testing::Test {
protected:
    void SetUp() override {
        initUserInterface();
        fillDefaultLanguage(languageTable);
        fake = FakeRequester{};
        iconSelectionServices.chooseIconFile = fakeChooseIconFile;
        launchState.ownerWindowId = kLauncherWindow;
    }
    void TearDown() override {
        iconSelectionServices = systemIconSelectionServices();
        UiEvent rest;
        while (eventsQueued()) waitEvent(rest);
    }
    // Runs the dialog on the events; what it leaves queued stays for the test.
    static std::wstring run(const std::wstring& iconSource, void* currentIcon, std::initializer_list<UiEvent> events) {
        for (const UiEvent& e : events) queueEvent(e);
        return SelectIcon(iconSource, currentIcon);
    }
    // The events still queued, but for the dialog's report of its own placing.
    static std::vector<UiEvent> leftOver() {
        std::vector<UiEvent> events;
        UiEvent event;
        while (eventsQueued() && waitEvent(event))
            if (event.kind != UiEventKind::Moved) events.push_back(event);
        return events;
    }
};

TEST(IconChoice, TheFirstIconIsTheBareFile) {
    EXPECT_EQ(iconChoice(L"C:\\Tools\\app.exe", 0), L"C:\\Tools\\app.exe");
    EXPECT_EQ(iconChoice(L"C:\\Tools\\app.exe", 1), L"C:\\Tools\\app.exe,1");
    EXPECT_EQ(iconChoice(L"D:\\Icons, old\\set.icl", 312), L"D:\\Icons, old\\set.icl,312");
}

TEST_F(IconSelection, CancelDefaultAndOkWithoutAChosenFile) {
    EXPECT_EQ(run(L"C:\\app.exe,2", nullptr, {click(kIconCancelButton)}), L"");
    EXPECT_EQ(run(L"C:\\app.exe,2", nullptr, {click(kIconDefaultButton)}), L" ") << "the default icon";
    EXPECT_EQ(run(L"C:\\app.exe", nullptr, {click(kIconOkButton), keyDown(kKeyReturn), click(kIconDefaultButton)}),
              L" ")
        << "with no icon chosen Ok and Return leave the dialog open";
    EXPECT_EQ(run(L"C:\\app.exe", nullptr, {keyDown(kKeyEscape), click(kIconDefaultButton)}), L"");
    EXPECT_EQ(leftOver().size(), 1u) << "Escape ended the dialog before the click";

    IconHandle current(extractFileIcon(threeIconsProgram(), 1, 32));
    ASSERT_TRUE(current);
    EXPECT_EQ(run(L"C:\\app.exe", current.handle, {click(kIconOkButton), click(kIconDefaultButton)}), L"")
        << "the item's own icon, chosen as it was";
    EXPECT_EQ(leftOver().size(), 1u) << "Ok ended the dialog before the click";
    EXPECT_EQ(launchState.ownerWindowId, kLauncherWindow);
    EXPECT_EQ(windowHandle(kIconWindow), nullptr);
}

TEST_F(IconSelection, BrowseShowsEveryIconOfTheFileAndOkTakesTheOneChosen) {
    const std::wstring file = threeIconsProgram();
    const std::wstring folder = file.substr(0, file.find_last_of(L'\\') + 1);
    fake.answers = {file, L""};
    fake.selectOnOpen = 2;
    EXPECT_EQ(run(L"C:\\Old Place\\app.exe,7", nullptr,
                  {click(kIconBrowseButton), click(kIconBrowseButton), click(kIconOkButton)}),
              file + L",2");
    ASSERT_EQ(fake.startFolders.size(), 2u);
    EXPECT_EQ(fake.startFolders[0], L"C:\\Old Place\\") << "beside the file before its comma";
    EXPECT_EQ(fake.startFolders[1], folder) << "beside the file chosen";
    EXPECT_EQ(fake.ownerSeen, kIconWindow);
    EXPECT_EQ(fake.rowsSeen[0], L"");
    EXPECT_EQ(fake.rowsSeen[1], L"-- 0 --\n-- 1 --\n-- 2 --\n");
    EXPECT_EQ(fake.selectedSeen[1], 0) << "the first icon comes chosen";

    fake = FakeRequester{};
    fake.answers = {file};
    const std::wstring folderOnly = folder.substr(0, folder.size() - 1);
    EXPECT_EQ(run(folderOnly, nullptr,
                  {click(kIconBrowseButton), eventOf(kIconWindow, UiEventKind::ItemView, kLeftDoubleClick, kIconList)}),
              file)
        << "a double click on the first icon: the bare file";
    EXPECT_EQ(fake.startFolders.at(0), folderOnly) << "a folder is where to start";
}

TEST_F(IconSelection, AnExitRequestEndsTheDialogAndOtherWindowsGetTheirEventsLater) {
    const UiEvent menu = eventOf(kLauncherWindow, UiEventKind::Menu, kCommandNextCategory);
    const UiEvent tick = eventOf(kLauncherWindow, UiEventKind::Timer, kLauncherTimer);
    const UiEvent exit = eventOf(kLauncherWindow, UiEventKind::UserMessage, kCommandExit);
    fake.answers = {threeIconsProgram()};
    EXPECT_EQ(run(L"", nullptr, {click(kIconBrowseButton), menu, tick, exit, click(kIconOkButton)}), L"")
        << "a file was chosen, yet nothing is taken";
    const std::vector<UiEvent> later = leftOver();
    ASSERT_EQ(later.size(), 3u) << "the tick is dropped";
    EXPECT_EQ(later[0].windowId, kIconWindow) << "the click that came too late";
    EXPECT_EQ(later[1].kind, UiEventKind::Menu);
    EXPECT_EQ(later[2].kind, UiEventKind::UserMessage) << "the exit request goes on to the launcher";
}

}  // namespace
