#include "launcher/launcher_menus.h"

#include "launch/launch_state.h"
#include "launcher/category_list.h"
#include "launcher/commands.h"
#include "platform/popup_menus.h"
#include "platform/text_case.h"
#include "platform/ui_windows.h"
#include "settings/data_folder.h"
#include "settings/general_settings.h"
#include "settings/language.h"
#include "store/category_store.h"

namespace {

constexpr int kSeparator = 0;

struct MenuRow {
    int command;      // kSeparator for a line
    int textEntry;    // language entry
    const wchar_t* key;  // shown at the right, after a tab
};

const MenuRow kContextMenu[] = {
    {kCommandFind, 107, nullptr},
    {kSeparator, 0, nullptr},
    {kCommandConfiguration, 5, L"F2"},
    {kCommandGeneralSettings, 6, L"F3"},
    {kSeparator, 0, nullptr},
    {kCommandLargeIcons, 12, nullptr},
    {kCommandFont, 7, nullptr},
    {kCommandBackground, 8, nullptr},
    {kSeparator, 0, nullptr},
    {kCommandTitleBar, 9, L"F4"},
    {kCommandTransparency, 10, nullptr},
    {kCommandStayOnTop, 11, nullptr},
    {kCommandAbout, 2, nullptr},
    {kSeparator, 0, nullptr},
    {kCommandMinimize, 3, nullptr},
    {kCommandExit, 4, nullptr},
};

struct TrayRow {
    int command;  // kSeparator for a line, -1 for the category sub-menu
    int textEntry;
    bool editing;  // left out in read-only mode
};

const TrayRow kTrayMenu[] = {
    {kCommandToggleWindow, 15, false},
    {kCommandFind, 107, false},
    {kSeparator, 0, false},
    {-1, 16, false},
    {kCommandConfiguration, 5, true},
    {kCommandGeneralSettings, 6, true},
    {kCommandHelp, 1, true},
    {kSeparator, 0, false},
    {kCommandExit, 4, false},
};

void appendRow(int menuId, int command, int textEntry, const wchar_t* key) {
    if (command == kSeparator) {
        appendMenuSeparator(menuId);
        return;
    }
    std::wstring text = languageText(textEntry);
    if (key) text += std::wstring(L"\t") + key;
    appendMenuEntry(menuId, command, text);
}

}  // namespace

void buildLauncherContextMenu() {
    resetPopupMenu(kLauncherContextMenu);
    for (const MenuRow& row : kContextMenu) appendRow(kLauncherContextMenu, row.command, row.textEntry, row.key);
}

void PopupMenuAt(int menuId, int windowId, int controlId) {
    popupMenuAt(menuId, windowId, popupPointNear(windowId, controlId));
}

void ShowContextMenu() {
    if (programFolders.settingsReadOnly) return;
    setMenuEntryChecked(kLauncherContextMenu, kCommandTitleBar, generalSettings.TitleBar != 0);
    setMenuEntryChecked(kLauncherContextMenu, kCommandTransparency, generalSettings.Transparent != 0);
    setMenuEntryChecked(kLauncherContextMenu, kCommandStayOnTop, generalSettings.Stayontop != 0);
    setMenuEntryChecked(kLauncherContextMenu, kCommandLargeIcons, categoryStore.geometry.largeIcons != 0);
    PopupMenuAt(kLauncherContextMenu, kLauncherWindow, kLauncherItemView);
}

void AddCategoryEntries(int menuId, bool withNewCategory) {
    launchState.popupMenuMode = kMenuModeCategoryEntries;
    int number = kFirstMenuEntry;
    int marked = -1;
    bool startupSeparator = false;
    const std::wstring current = toLowerCase(categoryStore.loadedCategory);
    for (const std::wstring& name : categoryNavigation.categoryList) {
        if (name == categoryNavigation.startupCategory) {
            appendMenuSeparator(menuId);
            startupSeparator = true;
        }
        appendMenuEntry(menuId, number, name);
        if (toLowerCase(name) == current) marked = number;
        ++number;
    }
    if (withNewCategory && !programFolders.settingsReadOnly) {
        if (!startupSeparator) appendMenuSeparator(menuId);
        appendMenuEntry(menuId, kCommandNewCategory, languageText(20));
    }
    setMenuRadioMark(menuId, kFirstMenuEntry, number - 1, marked);
}

void ShowCategoryMenu() {
    RebuildCategoryList(categoryNavigation, programFolders.dataFolder, languageText(21));
    resetPopupMenu(kNumberedMenu);
    AddCategoryEntries(kNumberedMenu, true);
    PopupMenuAt(kNumberedMenu, kLauncherWindow, kLauncherTitleStrip);
}

void ShowTrayMenu() {
    resetPopupMenu(kNumberedMenu);
    for (const TrayRow& row : kTrayMenu) {
        if (row.editing && programFolders.settingsReadOnly) continue;
        if (row.command >= 0) {
            appendRow(kNumberedMenu, row.command, row.textEntry, nullptr);
            continue;
        }
        RebuildCategoryList(categoryNavigation, programFolders.dataFolder, languageText(21));
        resetPopupMenu(kTrayCategoryMenu);
        AddCategoryEntries(kTrayCategoryMenu, false);
        appendSubMenu(kNumberedMenu, kTrayCategoryMenu, languageText(16));
    }
    popupMenuAt(kNumberedMenu, kLauncherWindow, cursorPosition());
}
