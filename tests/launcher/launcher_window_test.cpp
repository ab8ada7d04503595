// The real launcher window: rows of the item view, layout of the strip, look.
#include <gtest/gtest.h>

#include "launcher/launcher_window.h"
#include "launcher/window_modes.h"
#include "platform/ui_controls.h"
#include "platform/ui_item_view.h"
#include "platform/ui_windows.h"
#include "settings/general_settings.h"
#include "store/category_file.h"
#include "store/category_store.h"

namespace {

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
        item.text = text;
        item.definition = definition;
        categoryStore.items.push_back(std::move(item));
    }
    static std::vector<int> rowData() {
        std::vector<int> data;
        for (int row = 0; row < itemRowCount(kLauncherWindow, kLauncherItemView); ++row)
            data.push_back(itemRowData(kLauncherWindow, kLauncherItemView, row));
        return data;
    }
    static int fill() { return FillItemView(ItemViewForm::Launcher, kLauncherWindow, kLauncherItemView); }
};

TEST_F(LauncherWindowTest, LargeIconsLeaveSeparatorsOutButKeepItemPositions) {
    categoryStore.geometry.largeIcons = 1;
    categoryStore.selectedItem = 2;
    EXPECT_EQ(fill(), 4) << "separators counted";
    EXPECT_EQ(rowData(), (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(selectedItemRow(kLauncherWindow, kLauncherItemView), 1) << "the row of item 2";
    EXPECT_TRUE(categoryStore.items[0].largeIcon) << "icon fetched for the shown size";
    EXPECT_FALSE(categoryStore.items[0].smallIcon) << "and only for that one";
    EXPECT_FALSE(categoryStore.items[1].largeIcon) << "separators have none";
    void* first = categoryStore.items[0].largeIcon.handle;
    fill();
    EXPECT_EQ(categoryStore.items[0].largeIcon.handle, first) << "fetched once per item and size";
}

TEST_F(LauncherWindowTest, ListsShowSeparatorsWithTheSeparatorText) {
    categoryStore.geometry.largeIcons = 0;
    for (int singleColumn : {0, 1}) {
        generalSettings.SingleColumn = singleColumn;
        EXPECT_EQ(fill(), 4);
        EXPECT_EQ(rowData(), (std::vector<int>{0, 1, 2, 3}));
        EXPECT_EQ(itemRowText(kLauncherWindow, kLauncherItemView, 1), L"----------");
        EXPECT_EQ(itemRowText(kLauncherWindow, kLauncherItemView, 2), L"C:\\windows") << "captions are expanded";
        EXPECT_EQ(itemRowText(kLauncherWindow, kLauncherItemView, 3), L"");
        EXPECT_EQ(selectedItemRow(kLauncherWindow, kLauncherItemView), -1) << "nothing selected after a load";
    }
    EXPECT_TRUE(categoryStore.items[2].smallIcon);
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
