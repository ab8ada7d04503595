// A window told that it went to a display of another DPI: the program's sizes,
// given in units of 96 DPI, become that DPI's pixels, and come back as given.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/fonts.h"
#include "platform/ui_controls.h"
#include "platform/ui_events.h"
#include "platform/ui_windows.h"

namespace {

class UiScaling : public ::testing::Test {
protected:
    void SetUp() override {
        initUserInterface();
        ASSERT_EQ(systemDpi(), kBaseDpi) << "the tests run at 96 DPI";
        ASSERT_TRUE(openWindow(kLauncherWindow, WindowSpec{100, 100, 301, 201, L"Kivo scaling", false}));
        ASSERT_TRUE(addStaticControl(kLauncherWindow, 2, 5, 35, 101, 23, L"Text"));
        ASSERT_TRUE(addStaticControl(kLauncherWindow, 3, 5, 70, 101, 23, L"Default font"));
        setControlFont(kLauncherWindow, 2, glyphs.handle);
    }
    void TearDown() override {
        closeWindow(kLauncherWindow);
        UiEvent rest;
        while (eventsQueued()) waitEvent(rest);
    }

    static HWND control(int id) { return GetDlgItem(static_cast<HWND>(windowHandle(kLauncherWindow)), id); }
    static RECT pixels(int id) {
        RECT r{};
        GetWindowRect(control(id), &r);
        MapWindowPoints(nullptr, GetParent(control(id)), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    static LONG fontHeight(int id) {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control(id), WM_GETFONT, 0, 0)), sizeof font, &font);
        return font.lfHeight;
    }
    // What Windows sends a window dragged onto a monitor of that DPI.
    static void moveToDisplay(int dpi) {
        HWND window = static_cast<HWND>(windowHandle(kLauncherWindow));
        RECT suggested{};
        GetWindowRect(window, &suggested);
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    }

    // 11 points are 14.67 pixels at 96 DPI, made 15, and 22 at 144: not 15 scaled.
    FontHandle glyphs = createPointFont(L"Marlett", 11, 0);
};

TEST_F(UiScaling, ControlsAndFontsTakeTheNewDpiAndReportTheUnitsGiven) {
    EXPECT_EQ(pixels(2).top, 35);
    EXPECT_EQ(fontHeight(2), -15);
    const LONG defaultHeight = fontHeight(3);

    moveToDisplay(144);
    EXPECT_EQ(windowDpi(kLauncherWindow), 144);
    const RECT scaled = pixels(2);
    EXPECT_EQ(scaled.left, 8) << "5 units are 7.5 pixels";
    EXPECT_EQ(scaled.top, 53);
    EXPECT_EQ(scaled.right - scaled.left, 152);
    EXPECT_EQ(scaled.bottom - scaled.top, 35);
    const ControlBox box = controlBox(kLauncherWindow, 2);
    EXPECT_EQ(box.x, 5);
    EXPECT_EQ(box.y, 35);
    EXPECT_EQ(box.width, 101) << "as given, not 152 pixels taken back";
    EXPECT_EQ(box.height, 23);
    EXPECT_EQ(fontHeight(2), -22) << "made from its points at the new DPI";
    EXPECT_EQ(fontHeight(3), MulDiv(defaultHeight, 144, kBaseDpi));
    UiEvent event;
    ASSERT_TRUE(eventsQueued());
    waitEvent(event);
    EXPECT_EQ(event.kind, UiEventKind::ScaleChanged);

    moveControl(kLauncherWindow, 2, ControlBox{7, 35, 99, 23});
    EXPECT_EQ(pixels(2).left, 11);
    EXPECT_EQ(controlBox(kLauncherWindow, 2).width, 99);

    moveToDisplay(kBaseDpi);
    EXPECT_EQ(pixels(2).left, 7);
    EXPECT_EQ(pixels(2).right - pixels(2).left, 99);
    EXPECT_EQ(fontHeight(2), -15);
    EXPECT_EQ(fontHeight(3), defaultHeight);
}

}  // namespace
