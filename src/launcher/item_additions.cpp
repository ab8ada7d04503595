#include "launcher/item_additions.h"

#include "launch/item_paths.h"
#include "launch/launch_state.h"
#include "launcher/launcher_window.h"
#include "platform/centered_message_box.h"
#include "platform/shell.h"
#include "platform/shell_links.h"
#include "platform/text_case.h"
#include "platform/ui_windows.h"
#include "settings/language.h"
#include "store/category_file.h"
#include "store/category_store.h"

namespace {

// Minimised without taking the focus, as shortcuts mostly store it.
constexpr int kShowMinNoActive = 7;

void sayNotSaved() {
    launchState.services.messageBox(kLauncherWindow, languageText(95), languageText(89), kBoxOk | kBoxIconExclamation);
}

}  // namespace

bool shortcutItem(const std::wstring& shortcutFile, const std::wstring& name, CategoryItem& element) {
    ItemFields fields;
    fields.text = name;
    if (takeDroppedFile(fields, shortcutFile) == DropTaken::Nothing) return false;
    const ShellLinkInfo& link = launchState.shellLink;
    // Only an icon other than the target's own needs naming.
    if (!link.iconFile.empty() && (link.iconIndex != 0 || !sameTextIgnoringCase(link.iconFile, fields.command)))
        fields.iconSource = link.iconFile + (link.iconIndex ? L"," + std::to_wstring(link.iconIndex) : L"");
    if (link.showCommand == kShowMaximized) fields.showMode = kShowModeMax;
    if (link.showCommand == kShowMinimized || link.showCommand == kShowMinNoActive) fields.showMode = kShowModeMin;
    return acceptNewItem(fields, element);
}

bool addItemToCategory(const std::wstring& category, const CategoryItem& element) {
    CategoryStore& shown = categoryStore;
    if (sameTextIgnoringCase(category, shown.loadedCategory)) {
        shown.items.push_back(element);
        FillItemView(ItemViewForm::Launcher, kLauncherWindow, kLauncherItemView);
        // As for a drop: the item stays in the list, and the editor starts from it.
        shown.unsavedItems = !saveCategoryFile(shown, shown.categoryFilePath);
        if (shown.unsavedItems) sayNotSaved();
        return !shown.unsavedItems;
    }
    const std::wstring path = categoryFilePathOf(category);
    CategoryFileContent content;
    CategoryStore other;
    if (!path.empty() && readCategoryFile(path, content)) {
        other.items = std::move(content.items);
        other.keptBytes = std::move(content.keptBytes);
        other.fileFormat = content.format;
        other.fileHasBom = content.hasBom;
        other.items.push_back(element);
        if (saveCategoryFile(other, path)) return true;
    }
    sayNotSaved();
    return false;
}
