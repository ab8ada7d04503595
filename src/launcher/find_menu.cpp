#include "launcher/find_menu.h"

#include "launch/launch_state.h"
#include "launcher/category_list.h"
#include "launcher/commands.h"
#include "launcher/find_mode.h"
#include "launcher/item_additions.h"
#include "launcher/launcher_menus.h"
#include "launcher/launcher_window.h"
#include "platform/popup_menus.h"
#include "platform/shell.h"
#include "platform/text_case.h"
#include "platform/ui_item_view.h"
#include "settings/data_folder.h"
#include "settings/language.h"
#include "store/category_file.h"
#include "store/category_store.h"

namespace {

// The category shown before Find first, as the likeliest place; the temp
// category is the editor's, not a place to file things.
std::vector<std::wstring> filingCategories() {
    RebuildCategoryList(categoryNavigation, programFolders.dataFolder, languageText(21));
    std::vector<std::wstring> names;
    const std::wstring& shown = categoryStore.loadedCategory;
    if (!shown.empty() && !isTempCategory(shown)) names.push_back(shown);
    for (const std::wstring& name : categoryNavigation.categoryList)
        if (!isTempCategory(name) && !sameTextIgnoringCase(name, shown)) names.push_back(name);
    return names;
}

}  // namespace

void ShowFindMenu() {
    FindState& f = findState;
    f.menuRow = selectedItemRow(kLauncherWindow, kLauncherFindView);
    f.menuCategories.clear();
    const bool writable = !programFolders.settingsReadOnly;
    resetPopupMenu(kNumberedMenu);
    if (foundItemOfRow(f.menuRow) && writable) {
        f.menuCategories = filingCategories();
        resetPopupMenu(kTrayCategoryMenu);
        for (size_t i = 0; i < f.menuCategories.size(); ++i) {
            if (i == 1) appendMenuSeparator(kTrayCategoryMenu);
            appendMenuEntry(kTrayCategoryMenu, kFirstMenuEntry + static_cast<int>(i), f.menuCategories[i]);
        }
        appendSubMenu(kNumberedMenu, kTrayCategoryMenu, languageText(98));
        appendMenuSeparator(kNumberedMenu);
    }
    appendMenuEntry(kNumberedMenu, kCommandForgetFind, languageText(99));
    setMenuEntryEnabled(kNumberedMenu, kCommandForgetFind, writable && !f.memory.ranking.choices.empty());
    launchState.popupMenuMode = kMenuModeAddToCategory;
    PopupMenuAt(kNumberedMenu, kLauncherWindow, kLauncherFindView);
}

void AddFoundRowToCategory(int position) {
    FindState& f = findState;
    if (position < 0 || static_cast<size_t>(position) >= f.menuCategories.size()) return;
    const IndexedItem* found = foundItemOfRow(f.menuRow);
    if (!found) return;
    CategoryItem element;
    if (const ProgramShortcut* shortcut = foundShortcutOfRow(f.menuRow)) {
        if (!shortcutItem(shortcut->path, shortcut->name, element)) {
            beep();
            return;
        }
    } else {
        element = found->item;
    }
    // The category changed under Find: its rows, and the shortcut that an item
    // of it starts now, are brought up to it.
    if (addItemToCategory(f.menuCategories[static_cast<size_t>(position)], element)) RefreshFind();
}

void ForgetFindLearning() {
    forgetFindMemory(findState.memory);
    RefreshFind();
}
