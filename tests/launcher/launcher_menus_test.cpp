// The category entries of the category and tray menus, and files dropped on
// the launcher.
#include <gtest/gtest.h>

#include "launch/launch_state.h"
#include "launcher/category_list.h"
#include "launcher/commands.h"
#include "launcher/launcher_loop.h"
#include "launcher/launcher_menus.h"
#include "platform/popup_menus.h"
#include "settings/data_folder.h"
#include "settings/general_settings.h"
#include "settings/language.h"
#include "store/category_file.h"
#include "store/category_store.h"
#include "support/test_files.h"

namespace {

class CategoryEntries : public ::testing::Test {
protected:
    void SetUp() override {
        fillDefaultLanguage(languageTable);
        programFolders.settingsReadOnly = false;
        categoryNavigation = CategoryNavigation{};
        categoryNavigation.categoryList = {L"Alpha", L"beta", L"&Startup"};
        categoryNavigation.startupCategory = L"&Startup";
        categoryStore.loadedCategory = L"BETA";
        resetPopupMenu(kNumberedMenu);
    }
    static std::wstring describe() {
        std::wstring text;
        for (const MenuEntry& e : menuEntries(kNumberedMenu))
            text += (e.command == 0 ? L"|" : std::to_wstring(e.command) + L" " + e.text) + (e.checked ? L"*" : L"") + L";";
        return text;
    }
};

TEST_F(CategoryEntries, StartupAfterASeparatorAndTheShownOneMarked) {
    launchState.popupMenuMode = 0;
    AddCategoryEntries(kNumberedMenu, true);
    EXPECT_EQ(describe(), L"93 Alpha;94 beta*;|;95 &Startup;69 New Category;");
    EXPECT_EQ(launchState.popupMenuMode, kMenuModeCategoryEntries);
}

TEST_F(CategoryEntries, NewCategoryGetsItsOwnSeparatorAndNeedsWriting) {
    categoryNavigation.categoryList = {L"Alpha", L"beta"};
    categoryNavigation.startupCategory.clear();
    categoryStore.loadedCategory = L"Gone";
    AddCategoryEntries(kNumberedMenu, true);
    EXPECT_EQ(describe(), L"93 Alpha;94 beta;|;69 New Category;") << "nothing marked for an unlisted name";
    resetPopupMenu(kNumberedMenu);
    programFolders.settingsReadOnly = true;
    AddCategoryEntries(kNumberedMenu, true);
    EXPECT_EQ(describe(), L"93 Alpha;94 beta;");
    resetPopupMenu(kNumberedMenu);
    programFolders.settingsReadOnly = false;
    AddCategoryEntries(kNumberedMenu, false);
    EXPECT_EQ(describe(), L"93 Alpha;94 beta;") << "the tray's sub-menu has no New Category";
}

TEST(DroppedFiles, BecomeItemsAfterTheLastOneAndTheFileIsSaved) {
    TempFolder data;
    programFolders.dataFolder = data.path.wstring() + L"\\";
    generalSettings = GeneralSettings{};
    clearCategoryItems(categoryStore);
    CategoryItem first;
    setItemText(first, L"First");
    setItemDefinition(first, L"first.exe");
    categoryStore.items.push_back(std::move(first));
    categoryStore.fileFormat = TextFormat::Utf8;
    categoryStore.fileHasBom = true;
    categoryStore.categoryFilePath = data.file(L"Dropped.kvl");
    writeBytes(data.file(L"Read me.txt"), "text");
    writeBytes(data.file(L"Site.url"), "[InternetShortcut]\r\nURL=https://example.org/\r\n");

    addDroppedFiles({data.file(L"Read me.txt"), data.file(L"Site.url")});

    ASSERT_EQ(categoryStore.items.size(), 3u);
    EXPECT_EQ(itemText(categoryStore.items[1]), L"Read me");
    EXPECT_EQ(itemDefinition(categoryStore.items[2]), L"https://example.org/");
    EXPECT_EQ(categoryStore.selectedItem, 2) << "the last new item";
    const std::string saved = readBytes(data.file(L"Dropped.kvl"));
    EXPECT_NE(saved.find("First=first.exe\r\nRead me="), std::string::npos) << saved;
    EXPECT_NE(saved.find("Site=https://example.org/\r\n"), std::string::npos) << saved;
    clearCategoryItems(categoryStore);
}

}  // namespace
