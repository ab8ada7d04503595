#include "editor/item_editing.h"

#include <algorithm>
#include <iterator>

#include "launch/item_icons.h"
#include "launch/item_paths.h"
#include "launch/launch_item.h"
#include "platform/text_case.h"
#include "platform/ui_windows.h"
#include "store/text_lines.h"

EditorState editorState;

namespace {

bool hasCurrentItem(const CategoryStore& store) {
    return store.selectedItem >= 0 && store.selectedItem < static_cast<int>(store.items.size());
}

void replaceAll(std::wstring& text, const std::wstring& what, const std::wstring& with) {
    for (size_t at = text.find(what); at != std::wstring::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
}

// An item without a command is kept only as a separator: a text that begins
// with "-" and no parameters.
bool typedSeparator(const ItemFields& fields) {
    return fields.command.empty() && !fields.text.empty() && fields.text[0] == L'-' && fields.parameters.empty();
}

// An empty command with an existing folder as its directory: the folder is
// opened in Explorer.
void makeFolderItem(EditorState& editor) {
    ItemFields& work = editor.workingCopy;
    if (work.directory.empty() || !work.command.empty()) return;
    const std::wstring folder = expandVariables(work.directory);
    if (!namesFolder(folder)) return;
    work.command = L"Explorer.exe";
    if (work.text.empty()) deriveItemText(work, folder);
    if (work.parameters.empty()) work.parameters = L"/e,";
    releaseWorkingIcons(editor);
    editor.refresh |= kRefreshFields | kRefreshIcon;
}

}  // namespace

void clearWorkingCopy(EditorState& editor) {
    editor.workingIcon.reset();
    editor.workingCopy = ItemFields{};
}

void loadWorkingCopy(EditorState& editor, const CategoryStore& store) {
    clearWorkingCopy(editor);
    if (!hasCurrentItem(store)) return;
    parseItem(store.items[static_cast<size_t>(store.selectedItem)], editor.workingCopy);
    // The item's handles stay the item's: the working copy fetches its own.
    editor.workingCopy.largeIcon = nullptr;
    editor.workingCopy.smallIcon = nullptr;
}

void releaseWorkingIcons(EditorState& editor) {
    editor.workingIcon.reset();
    editor.workingCopy.largeIcon = nullptr;
    editor.workingCopy.smallIcon = nullptr;
}

void fetchWorkingIcon(EditorState& editor) {
    ItemFields& work = editor.workingCopy;
    if (work.command.empty() || work.largeIcon) return;
    fetchItemIcon(work, IconSize::Large, iconPixels(IconSize::Large, windowDpi(kEditorWindow)));
    editor.workingIcon.reset(work.largeIcon);
}

void storeFieldText(EditorState& editor, ItemField field, const std::wstring& text) {
    ItemFields& work = editor.workingCopy;
    const std::wstring trimmed(trimSpaces(text));
    switch (field) {
        case ItemField::Text: work.text = trimmed; break;
        case ItemField::Command:
            work.command = trimmed;
            work.kind = itemKindOf(trimmed);
            releaseWorkingIcons(editor);
            editor.refresh |= kRefreshExplorerBoxes;
            break;
        case ItemField::Parameters: work.parameters = trimmed; break;
        case ItemField::Directory: work.directory = trimmed; break;
    }
    editor.pendingEdit = true;
}

bool acceptItem(EditorState& editor, CategoryStore& store, const std::wstring& dataFolder) {
    if (store.selectedItem < 0) {
        store.items.insert(store.items.begin(), CategoryItem{});
        store.selectedItem = 0;
        editor.newItem = true;
    }
    makeFolderItem(editor);
    ItemFields& work = editor.workingCopy;
    std::replace(work.text.begin(), work.text.end(), L'=', L'?');
    const bool separator = typedSeparator(work);
    if (work.text.empty() || (work.command.empty() && !separator)) return false;

    CategoryItem& element = store.items[static_cast<size_t>(store.selectedItem)];
    fetchWorkingIcon(editor);
    joinDefinition(work, separator, dataFolder, element);
    editor.pendingEdit = false;
    editor.newItem = false;
    editor.modified = true;
    editor.refresh |= kRefreshList | kRefreshIcon;
    return true;
}

void cancelItemEdit(EditorState& editor, CategoryStore& store) {
    if (editor.newItem) {
        // The item never was one of the category's: taking it out again leaves
        // the category as it was, with the item before it current again.
        const bool modified = editor.modified;
        const int before = store.selectedItem - 1;
        deleteCurrentItem(editor, store);
        editor.modified = modified;
        store.selectedItem = std::min(before, static_cast<int>(store.items.size()) - 1);
    }
    editor.refresh |= kRefreshFields | kRefreshIcon | kRefreshWorkingCopy;
    editor.pendingEdit = false;
}

void insertItem(EditorState& editor, CategoryStore& store, bool separator) {
    if (!hasCurrentItem(store)) return;
    const int at = store.selectedItem + 1;
    store.items.insert(store.items.begin() + at, CategoryItem{});
    store.selectedItem = at;
    clearWorkingCopy(editor);
    if (separator) {
        store.items[static_cast<size_t>(at)] = categoryItem(L"-", L"");
        editor.modified = true;
        editor.refresh = kRefreshWorkingCopy;
    } else {
        editor.pendingEdit = true;
        editor.newItem = true;
    }
    editor.refresh |= kRefreshList | kRefreshFields | kRefreshIcon;
}

bool deleteAsks(const EditorState& editor, bool controlHeld) {
    const std::wstring& text = editor.workingCopy.text;
    return !editor.newItem && text != L"-" && !text.empty() && !controlHeld;
}

void deleteCurrentItem(EditorState& editor, CategoryStore& store) {
    if (!hasCurrentItem(store)) return;
    releaseWorkingIcons(editor);
    store.items.erase(store.items.begin() + store.selectedItem);
    const int count = static_cast<int>(store.items.size());
    if (store.selectedItem >= count) store.selectedItem = count - 1;
    editor.pendingEdit = false;
    editor.newItem = false;
    editor.modified = true;
    editor.refresh |= kRefreshAll;
}

bool moveCurrentItem(EditorState& editor, CategoryStore& store, int direction) {
    const int count = static_cast<int>(store.items.size());
    if (!hasCurrentItem(store) || count < 2) return true;
    const int other = store.selectedItem + direction;
    if (other < 0 || other >= count) return false;
    std::swap(store.items[static_cast<size_t>(store.selectedItem)], store.items[static_cast<size_t>(other)]);
    store.selectedItem = other;
    editor.refresh = kRefreshList;
    editor.modified = true;
    return true;
}

// A stable sort gives exactly the order of swapping neighbours that compare
// lower, without its quadratic time on long lists.
void sortItems(EditorState& editor, CategoryStore& store) {
    if (!hasCurrentItem(store)) return;
    std::stable_sort(store.items.begin(), store.items.end(), [](const CategoryItem& a, const CategoryItem& b) {
        return compareTextIgnoringCase(std::wstring(itemText(a)), std::wstring(itemText(b))) < 0;
    });
    store.selectedItem = 0;
    editor.refresh = kRefreshAll;
    editor.modified = true;
}

bool isExplorerCommand(const std::wstring& command) { return toLowerCase(command) == L"explorer.exe"; }

void applyExplorerOptions(EditorState& editor, bool splitWindow, bool asRoot) {
    std::wstring parameters = toLowerCase(editor.workingCopy.parameters);
    replaceAll(parameters, L"/e,", L" ");
    replaceAll(parameters, L"/root,", L" ");
    parameters = std::wstring(trimSpaces(parameters));
    if (asRoot) parameters = L"/root," + parameters;
    if (splitWindow) parameters = L"/e," + parameters;
    editor.workingCopy.parameters = parameters;
    editor.refresh |= kRefreshFields;
    editor.pendingEdit = true;
}

bool insertDroppedFiles(EditorState& editor, CategoryStore& store, int after, const std::vector<std::wstring>& files,
                        const std::wstring& dataFolder) {
    bool allTaken = true;
    store.selectedItem = std::min(after, static_cast<int>(store.items.size()) - 1);
    for (const std::wstring& file : files) {
        const int previous = store.selectedItem;
        if (store.selectedItem >= 0)
            insertItem(editor, store, false);
        else
            clearWorkingCopy(editor);
        // A file that makes no item leaves no empty one behind.
        if (takeDroppedFile(editor.workingCopy, file) == DropTaken::Nothing ||
            !acceptItem(editor, store, dataFolder)) {
            allTaken = false;
            if (editor.newItem) deleteCurrentItem(editor, store);
            store.selectedItem = previous;
            editor.pendingEdit = false;
        }
    }
    loadWorkingCopy(editor, store);
    editor.refresh |= kRefreshAll;
    return allTaken;
}
