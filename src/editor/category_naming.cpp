#include "editor/category_naming.h"

#include "editor/editor_window.h"
#include "launcher/category_list.h"
#include "platform/centered_message_box.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "platform/text_case.h"
#include "platform/ui_controls.h"
#include "platform/ui_dialog_controls.h"
#include "settings/general_settings.h"
#include "settings/ini_document.h"
#include "settings/language.h"
#include "store/category_file.h"
#include "store/category_store.h"
#include "store/text_lines.h"

namespace {

constexpr int W = kEditorWindow;

bool refuse(const std::wstring& message) {
    showCenteredMessageBox(W, message, languageText(89), kBoxOk | kBoxIconExclamation);
    return false;
}

// Groups that hold the program's own settings are never a category's to lose.
bool isReservedName(const std::wstring& lowerName) { return lowerName == L"main" || lowerName == L"start"; }

// Names no category may take: the program's own groups, the temp category that
// "Clear temp category" empties without asking, and the system's devices.
bool isRefusedNewName(const std::wstring& lowerName) {
    return isReservedName(lowerName) || isTempCategory(lowerName) || isDeviceName(lowerName) ||
           isDeviceName(expandEnvironment(lowerName));
}

// Refused like a typed invalid character: the field shows its last valid name.
bool refuseInvalidName(EditorState& editor) {
    setControlText(W, kCategoryName, editor.editedCategoryName);
    moveCaretToEnd(W, kCategoryName);
    beep();
    return false;
}

}  // namespace

void checkCategoryNameField(EditorState& editor, bool focusLeft) {
    const std::wstring text(trimSpaces(controlText(W, kCategoryName)));
    if (text.empty()) {
        if (focusLeft) setControlText(W, kCategoryName, categoryStore.loadedCategory);
        return;
    }
    if (isFileNameText(text)) {
        // "%USERPROFILE%" holds no refused character but expands to a path: while
        // it is typed it stays in the field; leaving the field refuses it.
        if (!isCategoryName(text) && !isDeviceName(text)) {
            if (focusLeft) refuseInvalidName(editor);
            return;
        }
        if (text != editor.editedCategoryName) editor.modified = true;
        editor.editedCategoryName = text;
        return;
    }
    refuseInvalidName(editor);
}

bool renameEditedCategory() {
    CategoryStore& store = categoryStore;
    std::wstring name(trimSpaces(controlText(W, kCategoryName)));
    if (name.empty()) name = store.loadedCategory;
    const std::wstring lower = toLowerCase(name);
    if (lower == toLowerCase(languageText(20))) return refuse(languageText(22));
    if (name == store.loadedCategory) return true;
    if (isRefusedNewName(lower)) return refuse(L"Category name is reserved; pls. change!");
    if (!isCategoryName(name)) return refuseInvalidName(editorState);
    const std::wstring newFile = categoryFilePathOf(lower);
    uint64_t size = 0;
    const bool otherFile = toLowerCase(store.loadedCategory) != lower;
    const bool taken = otherFile && fileSize(newFile, size);
    if (taken && size > 0) return refuse(L"Category exists already");
    if (fileExists(store.categoryFilePath)) {
        // An empty file of that name holds no items: the renamed one takes its
        // place. Only a file of the data folder under a category's name is ever
        // deleted.
        if (taken && !newFile.empty()) deleteFile(newFile);
        if (!renameFile(store.categoryFilePath, newFile)) return refuse(L"Category rename failed");
    }
    // The window settings go with the name; they are written with the others.
    if (!store.appliedCategory.empty()) {
        const int group = selectGroup(settingsDocument, store.appliedCategory);
        if (group > 0) {
            settingsDocument.groupNames[static_cast<size_t>(group)] = name;
            ++settingsDocument.changes;
        }
    }
    // The category chosen to show at start is still the one the user chose.
    if (sameTextIgnoringCase(generalSettings.CatSelect, store.loadedCategory)) generalSettings.CatSelect = name;
    store.appliedCategory = name;
    store.loadedCategory = name;
    store.categoryFilePath = newFile;
    categoryNavigation.categorySetChanged = true;
    ReplaceVisited(categoryNavigation, name);
    editorState.editedCategoryName = name;
    setControlText(W, kCategoryName, name);
    return true;
}

void deleteEmptyCategory() {
    CategoryStore& store = categoryStore;
    const std::wstring lower = toLowerCase(store.appliedCategory);
    if (!store.appliedCategory.empty() && !isReservedName(lower)) {
        if (selectGroup(settingsDocument, store.appliedCategory) > 0) deleteGroupEntries(settingsDocument);
    }
    store.appliedCategory.clear();
    store.loadedCategory.clear();
    categoryNavigation.categorySetChanged = true;
    if (!store.categoryFilePath.empty()) deleteFile(store.categoryFilePath);
    store.categoryFilePath.clear();
}
