// Messages to the program's windows arrive as events on one queue, also for a
// loop that runs inside another.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "platform/ui_controls.h"
#include "platform/ui_events.h"
#include "platform/ui_item_view.h"
#include "platform/ui_windows.h"

namespace {

class UiEvents : public ::testing::Test {
protected:
    void SetUp() override {
        initUserInterface();
        ASSERT_TRUE(openWindow(kLauncherWindow, WindowSpec{100, 100, 300, 200, L"Kivo events", false}));
        ASSERT_TRUE(openWindow(kSettingsWindow, WindowSpec{150, 150, 200, 100, L"Kivo dialog", false}));
        ASSERT_TRUE(addItemView(kLauncherWindow, 1, 0, 0, 300, 200, 300));
    }
    void TearDown() override {
        closeWindow(kSettingsWindow);
        closeWindow(kLauncherWindow);
        UiEvent rest;
        while (eventsQueued()) waitEvent(rest);
    }
    static HWND handle(int id) { return static_cast<HWND>(windowHandle(id)); }
    static UiEvent next() {
        UiEvent event;
        EXPECT_TRUE(waitEvent(event));
        return event;
    }
};

TEST_F(UiEvents, MenusCloseBoxAndInstanceMessagesByWindow) {
    PostMessageW(handle(kLauncherWindow), WM_COMMAND, 67, 0);
    PostMessageW(handle(kSettingsWindow), WM_CLOSE, 0, 0);
    PostMessageW(handle(kLauncherWindow), kInstanceMessage, 65, 0);
    UiEvent e = next();
    EXPECT_EQ(e.kind, UiEventKind::Menu);
    EXPECT_EQ(e.windowId, kLauncherWindow);
    EXPECT_EQ(e.code, 67);
    e = next();
    EXPECT_EQ(e.kind, UiEventKind::CloseRequest);
    EXPECT_EQ(e.windowId, kSettingsWindow);
    EXPECT_TRUE(IsWindow(handle(kSettingsWindow))) << "closing is the loop's decision";
    e = next();
    EXPECT_EQ(e.kind, UiEventKind::UserMessage);
    EXPECT_EQ(e.code, 65);
}

TEST_F(UiEvents, ShortcutsBecomeMenuEvents) {
    const Shortcut keys[] = {{0, VK_F4, 91}, {kShortcutShift, VK_TAB, 3}, {0, VK_TAB, 4}};
    setWindowShortcuts(kLauncherWindow, keys, 3);
    HWND view = GetDlgItem(handle(kLauncherWindow), 1);
    PostMessageW(view, WM_KEYDOWN, VK_F4, 1);
    PostMessageW(view, WM_KEYDOWN, VK_TAB, 1);
    UiEvent e = next();
    EXPECT_EQ(e.kind, UiEventKind::Key) << "the key comes first, shortcut or not";
    EXPECT_EQ(e.code, VK_F4);
    EXPECT_EQ(e.data, 1) << "down";
    e = next();
    EXPECT_EQ(e.kind, UiEventKind::Menu);
    EXPECT_EQ(e.code, 91) << "a key pressed in a control is the window's shortcut";
    e = next();
    while (e.kind == UiEventKind::Key) e = next();
    EXPECT_EQ(e.code, 4);
}

TEST_F(UiEvents, ItemViewClicksCarryTheSelectedRowsData) {
    ASSERT_TRUE(beginItemViewFill(kLauncherWindow, 1, ItemViewMode::SingleColumn, nullptr));
    appendItemRow(kLauncherWindow, 1, L"first", kRowImageNone, 0);
    appendItemRow(kLauncherWindow, 1, L"third", kRowImageNone, 2);
    endItemViewFill(kLauncherWindow, 1, 1);
    NMHDR header{GetDlgItem(handle(kLauncherWindow), 1), 1, static_cast<UINT>(NM_DBLCLK)};
    SendMessageW(handle(kLauncherWindow), WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&header));
    UiEvent e = next();
    EXPECT_EQ(e.kind, UiEventKind::ItemView);
    EXPECT_EQ(e.code, kLeftDoubleClick);
    EXPECT_EQ(e.data, 2);
}

TEST_F(UiEvents, ALoopInsideALoopTakesTheEventsInOrder) {
    PostMessageW(handle(kLauncherWindow), WM_COMMAND, 68, 0);
    UiEvent outer = next();
    ASSERT_EQ(outer.code, 68);
    // The dialog's loop runs while the launcher's waits.
    PostMessageW(handle(kSettingsWindow), WM_COMMAND, 61, 0);
    PostMessageW(handle(kLauncherWindow), WM_COMMAND, 4, 0);
    UiEvent inner = next();
    EXPECT_EQ(inner.windowId, kSettingsWindow);
    EXPECT_EQ(inner.code, 61);
    UiEvent after = next();
    EXPECT_EQ(after.windowId, kLauncherWindow);
    EXPECT_EQ(after.code, 4) << "what came meanwhile waits for the outer loop";
}

}  // namespace
