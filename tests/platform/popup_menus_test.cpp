#include "platform/popup_menus.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/ui_windows.h"

namespace {

TEST(PopupMenus, EntriesReadBackInOrder) {
    ASSERT_TRUE(resetPopupMenu(0));
    EXPECT_TRUE(menuEntries(0).empty());
    EXPECT_TRUE(appendMenuEntry(0, 101, L"&Open"));
    EXPECT_TRUE(appendMenuEntry(0, 102, L"Open folder\tCtrl+F"));
    EXPECT_TRUE(appendMenuEntry(0, 103, L"Größe ändern"));
    const std::vector<MenuEntry> entries = menuEntries(0);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].command, 101);
    EXPECT_EQ(entries[0].text, L"&Open");
    EXPECT_EQ(entries[1].command, 102);
    EXPECT_EQ(entries[1].text, L"Open folder\tCtrl+F");
    EXPECT_EQ(entries[2].command, 103);
    EXPECT_EQ(entries[2].text, L"Größe ändern");
}

TEST(PopupMenus, ResetDiscardsOldEntriesAndLeavesOtherMenus) {
    ASSERT_TRUE(resetPopupMenu(1));
    ASSERT_TRUE(resetPopupMenu(2));
    ASSERT_TRUE(appendMenuEntry(1, 1, L"Old"));
    ASSERT_TRUE(appendMenuEntry(2, 2, L"Other"));
    ASSERT_TRUE(resetPopupMenu(1));
    EXPECT_TRUE(menuEntries(1).empty());
    ASSERT_TRUE(appendMenuEntry(1, 5, L"New"));
    const std::vector<MenuEntry> entries = menuEntries(1);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].command, 5);
    EXPECT_EQ(entries[0].text, L"New");
    ASSERT_EQ(menuEntries(2).size(), 1u);
    EXPECT_EQ(menuEntries(2)[0].text, L"Other");
}

TEST(PopupMenus, MissingMenusAndWindowsAreRefused) {
    for (int id : {-1, kPopupMenuCount}) {
        EXPECT_FALSE(resetPopupMenu(id)) << id;
        EXPECT_FALSE(appendMenuEntry(id, 1, L"Entry")) << id;
        EXPECT_TRUE(menuEntries(id).empty()) << id;
        EXPECT_FALSE(popupMenuAt(id, kLauncherWindow, ScreenPoint{})) << id;
    }
    registerWindow(kEditorWindow, nullptr);
    ASSERT_TRUE(resetPopupMenu(4));
    ControlRect rect{1, 2, 3, 4};
    EXPECT_FALSE(controlScreenRect(kEditorWindow, kLauncherItemView, rect));
    EXPECT_FALSE(controlScreenRect(-1, kLauncherItemView, rect));
    EXPECT_EQ(rect.left, 1);
    EXPECT_FALSE(popupMenuAt(4, kEditorWindow, ScreenPoint{10, 10}));
}

struct CommandWindow {
    HWND window = nullptr;
    explicit CommandWindow(int windowId) : id(windowId) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = noteCommand;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KivoMenuTestOwner";
        RegisterClassW(&wc);
        window = CreateWindowExW(0, wc.lpszClassName, L"Menu owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300,
                                 200, nullptr, nullptr, wc.hInstance, nullptr);
        registerWindow(id, window);
    }
    ~CommandWindow() {
        registerWindow(id, nullptr);
        if (window) DestroyWindow(window);
    }
    int id;
    static int lastCommand;
    static LRESULT CALLBACK noteCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_COMMAND) lastCommand = LOWORD(wParam);
        return DefWindowProcW(window, message, wParam, lParam);
    }
};
int CommandWindow::lastCommand = 0;

// Runs inside the menu's own loop: picks the second entry with the keyboard, or
// closes the menu if it does not react.
int menuTicks = 0;
void CALLBACK chooseSecondEntry(HWND, UINT, UINT_PTR timer, DWORD) {
    // The menu's loop reads every key message of the thread, whichever window it is for.
    HWND owner = static_cast<HWND>(windowHandle(kLauncherWindow));
    if (++menuTicks == 1) {
        for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageW(owner, WM_KEYDOWN, key, 0);
        return;
    }
    EndMenu();
    KillTimer(nullptr, timer);
}

TEST(PopupMenus, ChoiceArrivesAtTheWindowAsACommand) {
    CommandWindow owner(kLauncherWindow);
    ASSERT_NE(owner.window, nullptr) << "no display";
    ASSERT_TRUE(resetPopupMenu(5));
    ASSERT_TRUE(appendMenuEntry(5, 201, L"Run"));
    ASSERT_TRUE(appendMenuEntry(5, 202, L"Edit"));
    ASSERT_TRUE(appendMenuEntry(5, 203, L"Delete"));
    CommandWindow::lastCommand = 0;
    menuTicks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, chooseSecondEntry);
    ASSERT_NE(timer, 0u);

    EXPECT_TRUE(popupMenuAt(5, kLauncherWindow, ScreenPoint{150, 150}));
    KillTimer(nullptr, timer);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    EXPECT_EQ(CommandWindow::lastCommand, 202);
}

}  // namespace
