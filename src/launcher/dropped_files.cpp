// Files dropped on the launcher's item view become items of the category.
#include <algorithm>

#include "launch/item_fields.h"
#include "launch/item_paths.h"
#include "launch/launch_state.h"
#include "launcher/item_additions.h"
#include "launcher/launcher_loop.h"
#include "launcher/launcher_window.h"
#include "platform/centered_message_box.h"
#include "platform/ui_windows.h"
#include "settings/data_folder.h"
#include "settings/language.h"
#include "store/category_file.h"
#include "store/category_store.h"

bool acceptNewItem(ItemFields& fields, CategoryItem& element) {
    std::replace(fields.text.begin(), fields.text.end(), L'=', L'?');
    if (fields.text.empty() || fields.command.empty()) return false;
    joinDefinition(fields, false, programFolders.dataFolder, element);
    return true;
}

void addDroppedFiles(const std::vector<std::wstring>& files) {
    CategoryItems& items = categoryStore.items;
    int& selected = categoryStore.selectedItem;
    selected = static_cast<int>(items.size()) - 1;
    for (const std::wstring& file : files) {
        ItemFields fields;
        if (takeDroppedFile(fields, file) == DropTaken::Nothing) continue;
        CategoryItem element;
        if (!acceptNewItem(fields, element)) continue;
        items.insert(items.begin() + (selected + 1), std::move(element));
        ++selected;
    }
    FillItemView(ItemViewForm::Launcher, kLauncherWindow, kLauncherItemView);
    bringWindowToFront(kLauncherWindow);
    // The items stay in the list either way: the user sees what could not be
    // kept and can save it later from the editor.
    categoryStore.unsavedItems = !saveCategoryFile(categoryStore, categoryStore.categoryFilePath);
    if (categoryStore.unsavedItems)
        launchState.services.messageBox(kLauncherWindow, languageText(95), languageText(89),
                                        kBoxOk | kBoxIconExclamation);
}
