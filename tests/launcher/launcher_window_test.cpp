// The real launcher window: rows of the item view, layout of the strip, look.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "launch/launch_state.h"

#include "launcher/launcher_window.h"
#include "launcher/window_modes.h"
#include "platform/ui_controls.h"
#include "platform/ui_item_view.h"
#include "platform/ui_windows.h"
#include "settings/general_settings.h"
#include "store/category_file.h"
#include "store/category_store.h"
#include "support/test_files.h"

namespace {

struct IconCalls {
    int file = 0;   // icons taken out of icon files
    int shell = 0;  // icons asked of the shell
};
IconCalls iconCalls;

IconServices countingIconServices() {
    IconServices services = systemIconServices();
    services.extractFileIcon = [](const std::wstring& file, int index, int pixels) {
        ++iconCalls.file;
        return extractFileIcon(file, index, pixels);
    };
    services.shellIconOf = [](const std::wstring& path, int pixels) {
        ++iconCalls.shell;
        return shellIconOf(path, pixels);
    };
    return services;
}

class LauncherWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        generalSettings = GeneralSettings{};
        generalSettings.Separator = L"----------";
        createProgramFonts(launcherWindow);
        ASSERT_TRUE(CreateLauncherWindow());
    }
    static void TearDownTestSuite() {
        clearCategoryItems(categoryStore);
        closeWindow(kLauncherWindow);
    }
    void SetUp() override {
        clearCategoryItems(categoryStore);
        categoryStore.selectedItem = -1;
        addItem(L"Editor", L"%windir%\\system32\\notepad.exe");
        addItem(L"-", L"");
        addItem(L"%WINDIR%", L"%windir%\\system32\\cmd.exe");
        addItem(L"", L"cmd.exe");
    }
    static void addItem(const std::wstring& text, const std::wstring& definition) {
        CategoryItem item;
        setItemText(item, text);
        setItemDefinition(item, definition);
        categoryStore.items.push_back(std::move(item));
    }
    static std::vector<int> rowData() {
        std::vector<int> data;
        for (int row = 0; row < itemRowCount(kLauncherWindow, kLauncherItemView); ++row)
            data.push_back(itemRowData(kLauncherWindow, kLauncherItemView, row));
        return data;
    }
    static int fill() { return FillItemView(ItemViewForm::Launcher, kLauncherWindow, kLauncherItemView); }
    // What the view draws for the row: asking for it is what drawing does.
    static int rowImage(int row) {
        HWND view = GetDlgItem(static_cast<HWND>(windowHandle(kLauncherWindow)), kLauncherItemView);
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        SendMessageW(view, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        return item.iImage;
    }
    static std::vector<int> rowImages(int count) {
        std::vector<int> images;
        for (int row = 0; row < count; ++row) images.push_back(rowImage(row));
        return images;
    }
};

TEST_F(LauncherWindowTest, LargeIconsLeaveSeparatorsOutButKeepItemPositions) {
    categoryStore.geometry.largeIcons = 1;
    categoryStore.selectedItem = 2;
    EXPECT_EQ(fill(), 4) << "separators counted";
    EXPECT_EQ(rowData(), (std::vector<int>{0, 2})) << "no row for an item without text";
    EXPECT_EQ(selectedItemRow(kLauncherWindow, kLauncherItemView), 1) << "the row of item 2";
    EXPECT_GE(rowImage(0), 0) << "an icon for the program";
}

TEST_F(LauncherWindowTest, ListsShowSeparatorsWithTheSeparatorText) {
    categoryStore.geometry.largeIcons = 0;
    for (int singleColumn : {0, 1}) {
        generalSettings.SingleColumn = singleColumn;
        EXPECT_EQ(fill(), 4);
        EXPECT_EQ(rowData(), (std::vector<int>{0, 1, 2})) << "no row for an item without text";
        EXPECT_EQ(itemRowText(kLauncherWindow, kLauncherItemView, 1), L"----------");
        EXPECT_EQ(itemRowText(kLauncherWindow, kLauncherItemView, 2), L"C:\\windows") << "captions are expanded";
        EXPECT_EQ(selectedItemRow(kLauncherWindow, kLauncherItemView), -1) << "nothing selected after a load";
        EXPECT_GE(rowImage(2), 0);
        EXPECT_EQ(rowImage(1), I_IMAGENONE) << "separators have no icon";
    }
}

TEST_F(LauncherWindowTest, IconsAreTakenOutOfFilesWhenRowsAreDrawnOncePerIconAndSize) {
    const TempFolder dir;
    writeBytes(dir.file(L"a.txt"), "a");
    writeBytes(dir.file(L"b.txt"), "b");
    clearCategoryItems(categoryStore);
    for (int i = 0; i < 200; ++i) addItem(L"Editor " + std::to_wstring(i), L"%windir%\\system32\\notepad.exe");
    addItem(L"Picture", L"x.exe;;;;%windir%\\system32\\shell32.dll,3");
    addItem(L"Same picture", L"y.exe;;;;%windir%\\system32\\shell32.dll,3");
    addItem(L"Note A", dir.file(L"a.txt"));
    addItem(L"Note B", dir.file(L"b.txt"));
    const int rows = 204;
    iconCalls = IconCalls{};
    launchState.icons.services = countingIconServices();
    categoryStore.loadedCategory = L"Main";
    categoryStore.geometry.largeIcons = 1;
    fill();
    EXPECT_EQ(iconCalls.shell + iconCalls.file, 0) << "nothing taken before a row is drawn";

    const std::vector<int> large = rowImages(rows);
    EXPECT_GE(large[0], 0);
    EXPECT_EQ(std::count(large.begin(), large.end(), large[0]), 200) << "one image for one program";
    EXPECT_EQ(large[200], large[201]);
    EXPECT_NE(large[200], large[0]);
    EXPECT_EQ(large[202], large[203]) << "documents of one type share their icon";
    EXPECT_EQ(iconCalls.file, 2) << "the program and the icon source, out of their files";
    EXPECT_EQ(iconCalls.shell, 1) << "the document type, from the shell";

    categoryStore.geometry.largeIcons = 0;
    fill();
    rowImages(rows);
    EXPECT_EQ(iconCalls.file, 4) << "then once for the small size";
    EXPECT_EQ(iconCalls.shell, 2);

    categoryStore.geometry.largeIcons = 1;
    fill();
    EXPECT_EQ(rowImages(rows), large) << "the large list was kept";
    categoryStore.loadedCategory = L"Other";
    fill();
    categoryStore.loadedCategory = L"Main";
    fill();
    EXPECT_EQ(rowImages(rows), large) << "and kept for the category shown before";
    EXPECT_EQ(iconCalls.file, 4) << "nothing taken again";
    EXPECT_EQ(iconCalls.shell, 2);
    launchState.icons.services = systemIconServices();
}

TEST_F(LauncherWindowTest, ARefillShowsTheSelectedRowNearTheEndInEveryView) {
    clearCategoryItems(categoryStore);
    for (int i = 0; i < 300; ++i) addItem(L"Item " + std::to_wstring(i + 1), L"%windir%\\system32\\notepad.exe");
    for (int large : {0, 1}) {
        for (int singleColumn : {0, 1}) {
            if (large && singleColumn) continue;
            categoryStore.geometry.largeIcons = large;
            generalSettings.SingleColumn = singleColumn;
            categoryStore.selectedItem = 294;
            fill();
            EXPECT_EQ(selectedItemRow(kLauncherWindow, kLauncherItemView), 294);
            EXPECT_TRUE(itemRowInSight(kLauncherWindow, kLauncherItemView, 294))
                << "large icons " << large << ", single column " << singleColumn;
        }
    }
}

TEST_F(LauncherWindowTest, TheSingleColumnFitsTheViewWithoutASidewaysScrollBar) {
    clearCategoryItems(categoryStore);
    for (int i = 0; i < 100; ++i) addItem(L"Item " + std::to_wstring(i + 1), L"%windir%\\system32\\notepad.exe");
    categoryStore.geometry.largeIcons = 0;
    generalSettings.SingleColumn = 1;
    fill();
    EXPECT_FALSE(itemViewScrollsSideways(kLauncherWindow, kLauncherItemView));
}

TEST_F(LauncherWindowTest, EmptyCategoryGivesAnEmptyView) {
    clearCategoryItems(categoryStore);
    EXPECT_EQ(fill(), 0);
    EXPECT_EQ(itemRowCount(kLauncherWindow, kLauncherItemView), 0);
}

TEST_F(LauncherWindowTest, StripFollowsTheWindowWidthAndTitleBar) {
    launcherWindow.layoutSuspended = false;
    generalSettings.AutoAlign = 0;
    generalSettings.LeftAligned = 0;
    for (int titleBar : {1, 0}) {
        generalSettings.TitleBar = titleBar;
        ApplyWindowStyle(kStyleFrame);
        placeWindow(kLauncherWindow, 600, 100, 360, 240);
        LayoutLauncherWindow();
        const ControlBox title = controlBox(kLauncherWindow, kLauncherTitleStrip);
        const ControlBox close = controlBox(kLauncherWindow, kLauncherCloseGlyph);
        const ControlBox previous = controlBox(kLauncherWindow, kLauncherPreviousArrow);
        const ControlBox view = controlBox(kLauncherWindow, kLauncherItemView);
        EXPECT_EQ(title.x, 26);
        EXPECT_EQ(title.width, 360 - 67 + (titleBar ? 13 : 0));
        EXPECT_EQ(previous.x, 26 + title.width);
        EXPECT_EQ(controlBox(kLauncherWindow, kLauncherNextArrow).x, previous.x + 13);
        EXPECT_EQ(close.width, titleBar ? 0 : 13);
        EXPECT_EQ(view.width, 355);
        EXPECT_EQ(view.height, 205);
        EXPECT_EQ(categoryStore.geometry.width, 360);
        EXPECT_EQ(categoryStore.geometry.x, windowRect(kLauncherWindow).left);
    }
}

TEST_F(LauncherWindowTest, LookPutsTheNameWithoutAmpersandsOnTheStrip) {
    categoryStore.loadedCategory = L"R&D && more";
    ApplyCategoryLook();
    EXPECT_EQ(controlText(kLauncherWindow, kLauncherTitleStrip), L"RD  more");
    EXPECT_EQ(controlText(kLauncherWindow, kLauncherNextArrow), L"4");
    EXPECT_FALSE(controlEnabled(kLauncherWindow, kLauncherPreviousArrow)) << "until a second category is shown";
}

}  // namespace
