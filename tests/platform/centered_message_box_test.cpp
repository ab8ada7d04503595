#include "platform/centered_message_box.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/ui_windows.h"

namespace {

TEST(CenteredBoxPosition, CentresTheBoxOnTheOwner) {
    const BoxPosition at = centeredBoxPosition(0, 0, 101, 200, 50, 40);
    EXPECT_EQ(at.x, 25);
    EXPECT_EQ(at.y, 80);
    const BoxPosition moved = centeredBoxPosition(300, 100, 700, 400, 200, 100);
    EXPECT_EQ(moved.x, 400);
    EXPECT_EQ(moved.y, 200);
    const BoxPosition negative = centeredBoxPosition(-101, -101, 0, 0, 50, 50);
    EXPECT_EQ(negative.x, -75) << "halves truncate toward zero";
    const BoxPosition larger = centeredBoxPosition(0, 0, 100, 60, 300, 200);
    EXPECT_EQ(larger.y, -70) << "a box larger than its owner reaches past it";
}

// What the timer found of the message box while it was shown.
struct SeenBox {
    HWND box = nullptr;
    HWND owner = nullptr;
    RECT rect{};
    int ticks = 0;
};
SeenBox seen;

BOOL CALLBACK findBox(HWND window, LPARAM) {
    wchar_t name[16] = {};
    if (GetClassNameW(window, name, 16) && lstrcmpW(name, L"#32770") == 0 && IsWindowVisible(window)) {
        seen.box = window;
        return FALSE;
    }
    return TRUE;
}

// Runs inside the box's own message loop: notes where the box stands and answers it.
void CALLBACK answerBox(HWND, UINT, UINT_PTR timer, DWORD) {
    ++seen.ticks;
    EnumThreadWindows(GetCurrentThreadId(), findBox, 0);
    if (seen.box) {
        GetWindowRect(seen.box, &seen.rect);
        seen.owner = GetWindow(seen.box, GW_OWNER);
        PostMessageW(seen.box, WM_COMMAND, IDNO, 0);
    }
    // Never leave the test waiting on a box that cannot be found.
    if (seen.box || seen.ticks > 100) KillTimer(nullptr, timer);
}

int showAndAnswer(int ownerWindowId) {
    seen = SeenBox{};
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, answerBox);
    EXPECT_NE(timer, 0u);
    return showCenteredMessageBox(ownerWindowId, L"Remove the item?", L"Kivo", kBoxYesNo | kBoxIconQuestion);
}

struct OwnerWindow {
    HWND window = nullptr;
    explicit OwnerWindow(RECT at) {
        window = CreateWindowExW(0, L"STATIC", L"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, at.left, at.top,
                                 at.right - at.left, at.bottom - at.top, nullptr, nullptr, GetModuleHandleW(nullptr),
                                 nullptr);
        registerWindow(kLauncherWindow, window);
    }
    ~OwnerWindow() {
        registerWindow(kLauncherWindow, nullptr);
        if (window) DestroyWindow(window);
    }
};

// The rectangle the box was created with. A hook installed before the call runs
// after the program's own one, so it sees the position that one gave the box.
struct CreatedBox {
    HHOOK hook = nullptr;
    bool seen = false;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
CreatedBox created;

LRESULT CALLBACK noteCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        wchar_t name[16] = {};
        GetClassNameW(reinterpret_cast<HWND>(wParam), name, 16);
        if (lstrcmpW(name, L"#32770") == 0) created = CreatedBox{created.hook, true, cs->x, cs->y, cs->cx, cs->cy};
    }
    return CallNextHookEx(created.hook, code, wParam, lParam);
}

struct CreationWatch {
    CreationWatch() {
        created = CreatedBox{};
        created.hook = SetWindowsHookExW(WH_CBT, noteCreation, nullptr, GetCurrentThreadId());
    }
    ~CreationWatch() {
        if (created.hook) UnhookWindowsHookEx(created.hook);
    }
};

TEST(CenteredMessageBox, IsCreatedOnTheCentreOfItsOwner) {
    // Off the centre of the screen, so that a box centred by the system would not pass.
    OwnerWindow owner(RECT{40, 60, 440, 360});
    ASSERT_NE(owner.window, nullptr) << "no display";
    RECT ownerRect{};
    ASSERT_TRUE(GetWindowRect(owner.window, &ownerRect));
    CreationWatch watch;
    ASSERT_NE(created.hook, nullptr);

    EXPECT_EQ(showAndAnswer(kLauncherWindow), kAnswerNo);
    ASSERT_NE(seen.box, nullptr) << "the message box was not seen";
    EXPECT_EQ(seen.owner, owner.window);

    ASSERT_TRUE(created.seen);
    const BoxPosition expected = centeredBoxPosition(ownerRect.left, ownerRect.top, ownerRect.right,
                                                     ownerRect.bottom, created.width, created.height);
    EXPECT_EQ(created.x, expected.x);
    EXPECT_EQ(created.y, expected.y);

    // Where the box really stands once shown, whatever the system did after
    // creating it.
    const BoxPosition shown = centeredBoxPosition(ownerRect.left, ownerRect.top, ownerRect.right, ownerRect.bottom,
                                                  seen.rect.right - seen.rect.left, seen.rect.bottom - seen.rect.top);
    EXPECT_EQ(seen.rect.left, shown.x);
    EXPECT_EQ(seen.rect.top, shown.y);
}

TEST(CenteredMessageBox, WithoutOwnerWindowStillAnswers) {
    registerWindow(kSettingsWindow, nullptr);
    EXPECT_EQ(showAndAnswer(kSettingsWindow), kAnswerNo);
    ASSERT_NE(seen.box, nullptr) << "the message box was not seen";
    EXPECT_EQ(seen.owner, nullptr);
}

// The program's hook lives only as long as its box: a dialog made afterwards is
// created where it asks to be. The watch, installed first, runs after any hook of
// the program that was left behind and would see its change.
TEST(CenteredMessageBox, LeavesLaterDialogsAlone) {
    CreationWatch watch;
    ASSERT_NE(created.hook, nullptr);
    {
        OwnerWindow owner(RECT{40, 60, 440, 360});
        ASSERT_NE(owner.window, nullptr) << "no display";
        EXPECT_EQ(showAndAnswer(kLauncherWindow), kAnswerNo);
    }
    created.seen = false;
    HWND dialog = CreateWindowExW(0, L"#32770", L"Later", WS_POPUP, 7, 9, 120, 80, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(dialog, nullptr);
    DestroyWindow(dialog);
    ASSERT_TRUE(created.seen);
    EXPECT_EQ(created.x, 7);
    EXPECT_EQ(created.y, 9);
}

}  // namespace
