#include "platform/centered_message_box.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/message_box.h"
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

int showAndAnswer(int ownerWindowId, const std::wstring& text = L"Remove the item?") {
    seen = SeenBox{};
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, answerBox);
    EXPECT_NE(timer, 0u);
    return showCenteredMessageBox(ownerWindowId, text, L"Kivo", kBoxYesNo | kBoxIconQuestion);
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

TEST(CenteredMessageBox, StandsOnTheCentreOfItsOwner) {
    // Off the centre of the screen, so that a box centred by the system would not pass.
    OwnerWindow owner(RECT{40, 60, 440, 360});
    ASSERT_NE(owner.window, nullptr) << "no display";
    RECT ownerRect{};
    ASSERT_TRUE(GetWindowRect(owner.window, &ownerRect));
    EXPECT_EQ(showAndAnswer(kLauncherWindow), kAnswerNo);
    ASSERT_NE(seen.box, nullptr) << "the message box was not seen";
    EXPECT_EQ(seen.owner, owner.window);

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

TEST(CenteredMessageBox, AnOwnerPartlyOffTheScreenKeepsItsBoxInSight) {
    RECT area{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0));
    for (RECT at : {RECT{-380, 100, 20, 400}, RECT{area.right - 30, area.bottom - 40, area.right + 370, area.bottom + 260}}) {
        OwnerWindow owner(at);
        ASSERT_NE(owner.window, nullptr) << "no display";
        EXPECT_EQ(showAndAnswer(kLauncherWindow), kAnswerNo);
        ASSERT_NE(seen.box, nullptr);
        EXPECT_GE(seen.rect.left, area.left);
        EXPECT_GE(seen.rect.top, area.top);
        EXPECT_LE(seen.rect.right, area.right);
        EXPECT_LE(seen.rect.bottom, area.bottom);
    }
    const BoxPosition kept = keptInArea(BoxPosition{-75, 650}, 200, 100, 0, 0, 1024, 700);
    EXPECT_EQ(kept.x, 0);
    EXPECT_EQ(kept.y, 600);
}

// The hook lives only as long as its box: a later box without owner is not put
// on the centre of the earlier owner.
TEST(CenteredMessageBox, LeavesLaterBoxesAlone) {
    {
        OwnerWindow owner(RECT{40, 60, 440, 360});
        ASSERT_NE(owner.window, nullptr) << "no display";
        EXPECT_EQ(showAndAnswer(kLauncherWindow), kAnswerNo);
    }
    EXPECT_EQ(showAndAnswer(kLauncherWindow), kAnswerNo);
    ASSERT_NE(seen.box, nullptr);
    const int centreX = (seen.rect.left + seen.rect.right) / 2;
    EXPECT_GT(std::abs(centreX - 240), 20) << "centred on the window gone before";
}

// A path without a space cannot wrap: every box, owned or not, still fits the work area.
TEST(CenteredMessageBox, ALongPathFitsTheWorkArea) {
    RECT area{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0));
    MessageRequest request;
    request.text = L"Create directory?:\r\nC:\\" + std::wstring(30000, L'W') + L"\\data";
    request.buttons = MessageButtons::YesNo;
    OwnerWindow owner(RECT{40, 60, 440, 360});
    ASSERT_NE(owner.window, nullptr) << "no display";
    EXPECT_EQ(showAndAnswer(kLauncherWindow, request.text), kAnswerNo);
    const RECT owned = seen.rect;
    seen = SeenBox{};
    SetTimer(nullptr, 0, 200, answerBox);
    EXPECT_EQ(showMessage(request), MessageAnswer::No);
    for (const RECT& box : {owned, seen.rect}) {
        EXPECT_GT(box.right, box.left) << "the box was not seen";
        EXPECT_GE(box.left, area.left);
        EXPECT_LE(box.right, area.right) << "width " << box.right - box.left;
    }
}

}  // namespace
