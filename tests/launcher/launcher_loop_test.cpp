// The launcher's loop fed with events, as the window would report them.
#include <gtest/gtest.h>

#include "launch/launch_state.h"
#include "launcher/category_list.h"
#include "launcher/commands.h"
#include "launcher/launcher_loop.h"
#include "platform/shell.h"
#include "platform/ui_events.h"
#include "settings/data_folder.h"
#include "settings/general_settings.h"
#include "settings/language.h"
#include "store/category_store.h"

namespace {

UiEvent launcherEvent(UiEventKind kind, int code = 0) {
    UiEvent event;
    event.windowId = kLauncherWindow;
    event.kind = kind;
    event.code = code;
    return event;
}

class LauncherLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        fillDefaultLanguage(languageTable);
        generalSettings = GeneralSettings{};
        programFolders.settingsReadOnly = false;
        categoryNavigation = CategoryNavigation{};
        categoryNavigation.categoryList = {L"Alpha", L"Beta", L"Gamma", L"startup"};
        categoryNavigation.startupCategory = L"startup";
        categoryNavigation.categorySetChanged = false;
        categoryNavigation.visitedCategories = {L"Beta", L"Alpha"};
        categoryStore.loadedCategory = L"Beta";
    }
    // Runs the loop on the events, ending with "Exit" when nothing else ended it.
    static int run(std::initializer_list<UiEvent> events) {
        for (const UiEvent& e : events) queueEvent(e);
        queueEvent(launcherEvent(UiEventKind::Menu, kCommandExit));
        const int request = RunLauncherLoop();
        UiEvent rest;
        while (eventsQueued()) waitEvent(rest);
        return request;
    }
};

TEST_F(LauncherLoopTest, KeysStepThroughTheCategories) {
    EXPECT_EQ(run({launcherEvent(UiEventKind::Menu, kCommandNextCategory)}), kLoopShowCategory);
    EXPECT_EQ(categoryNavigation.targetCategory, L"Gamma");
    EXPECT_EQ(run({launcherEvent(UiEventKind::Menu, kCommandPreviousCategory)}), kLoopShowCategory);
    EXPECT_EQ(categoryNavigation.targetCategory, L"Alpha") << "the last visited one";
}

TEST_F(LauncherLoopTest, CategoryMenuEntriesAndTheStartupCategory) {
    launchState.popupMenuMode = kMenuModeCategoryEntries;
    EXPECT_EQ(run({launcherEvent(UiEventKind::Menu, kFirstMenuEntry + 2)}), kLoopShowCategory);
    EXPECT_EQ(categoryNavigation.targetCategory, L"Gamma");
    EXPECT_EQ(run({launcherEvent(UiEventKind::Menu, kFirstMenuEntry + 3)}), kLoopConfiguration)
        << "the start-up category opens in the editor";
    EXPECT_EQ(categoryNavigation.targetCategory, L"startup");
    EXPECT_EQ(run({launcherEvent(UiEventKind::Menu, kFirstMenuEntry + 9)}), kLoopExit) << "no such entry";
}

TEST_F(LauncherLoopTest, NewCategoryAndConfiguration) {
    EXPECT_EQ(run({launcherEvent(UiEventKind::Menu, kCommandNewCategory)}), kLoopConfiguration);
    EXPECT_EQ(categoryNavigation.targetCategory, L"New Category");
    EXPECT_EQ(run({launcherEvent(UiEventKind::Menu, kCommandConfiguration)}), kLoopConfiguration);
}

TEST_F(LauncherLoopTest, CloseRequestsExitUnlessTheTrayKeepsTheProgram) {
    EXPECT_EQ(run({launcherEvent(UiEventKind::CloseRequest), launcherEvent(UiEventKind::Menu, kCommandNextCategory)}),
              kLoopExit);
    generalSettings.SystemTray = 1;
    EXPECT_EQ(run({launcherEvent(UiEventKind::CloseRequest), launcherEvent(UiEventKind::Menu, kCommandNextCategory)}),
              kLoopShowCategory)
        << "minimised into the tray, the loop goes on";
    EXPECT_EQ(run({launcherEvent(UiEventKind::UserMessage, kCommandExit)}), kLoopExit) << "another instance's /close";
}

TEST_F(LauncherLoopTest, AnotherProcessCanOnlyAskForTheExit) {
    for (int command : {kCommandNextCategory, kCommandConfiguration, kCommandNewCategory, kCommandTitleBar}) {
        const int titleBar = generalSettings.TitleBar;
        EXPECT_EQ(run({launcherEvent(UiEventKind::UserMessage, command),
                       launcherEvent(UiEventKind::UserMessage, kCommandExit)}),
                  kLoopExit)
            << command;
        EXPECT_EQ(generalSettings.TitleBar, titleBar) << command;
        EXPECT_TRUE(categoryNavigation.targetCategory.empty()) << command;
    }
}

TEST_F(LauncherLoopTest, StripClickWaitsForTheButtonAndDraggingCancelsIt) {
    UiEvent click = launcherEvent(UiEventKind::ControlClick);
    click.control = kLauncherNextArrow;
    EXPECT_EQ(run({click, launcherEvent(UiEventKind::LeftButtonUp)}), kLoopShowCategory);
    EXPECT_EQ(categoryNavigation.targetCategory, L"Gamma");

    UiEvent move = launcherEvent(UiEventKind::LeftDragMove);
    move.x = 10;
    UiEvent moved = move;
    moved.x = 14;
    EXPECT_EQ(run({click, move, moved, launcherEvent(UiEventKind::LeftButtonUp)}), kLoopExit)
        << "pressing and dragging moves the window instead";
}

TEST_F(LauncherLoopTest, EventsOfOtherWindowsAreNotTheLaunchers) {
    UiEvent other = launcherEvent(UiEventKind::Menu, kCommandNextCategory);
    other.windowId = kEditorWindow;
    EXPECT_EQ(run({other}), kLoopExit);
}

TEST_F(LauncherLoopTest, ReadOnlyKeepsTheTitleBar) {
    programFolders.settingsReadOnly = true;
    generalSettings.TitleBar = 1;
    run({launcherEvent(UiEventKind::Menu, kCommandTitleBar)});
    EXPECT_EQ(generalSettings.TitleBar, 1);
    programFolders.settingsReadOnly = false;
    run({launcherEvent(UiEventKind::Menu, kCommandTitleBar)});
    EXPECT_EQ(generalSettings.TitleBar, 0);
}

// Keys as they go down (+) and up (-), then whether the last one was a lone Alt.
bool altAfter(std::initializer_list<int> keys, bool shiftOrControlHeld = false) {
    LoneAlt alt;
    bool released = false;
    for (int key : keys) released = loneAltReleased(alt, key < 0 ? -key : key, key > 0, shiftOrControlHeld);
    return released;
}

TEST(LoneAltKey, OpensTheMenuWhenLetGoAloneOnly) {
    EXPECT_TRUE(altAfter({kKeyAlt, -kKeyAlt}));
    EXPECT_TRUE(altAfter({kKeyAlt, kKeyAlt, kKeyAlt, -kKeyAlt})) << "held down, its press repeats";
    EXPECT_FALSE(altAfter({kKeyAlt})) << "nothing before it is let go";
    EXPECT_FALSE(altAfter({kKeyAlt, kKeyF4, -kKeyF4, -kKeyAlt})) << "Alt+F4";
    EXPECT_FALSE(altAfter({kKeyAlt, kKeyShift, -kKeyAlt}));
    EXPECT_FALSE(altAfter({kKeyAlt, -kKeyAlt}, true)) << "with Shift or Ctrl held";
    EXPECT_FALSE(altAfter({-kKeyAlt})) << "pressed elsewhere, let go here";
    EXPECT_TRUE(altAfter({kKeyAlt, kKeyTab, -kKeyTab, -kKeyAlt, kKeyAlt, -kKeyAlt})) << "each press on its own";
}

}  // namespace
