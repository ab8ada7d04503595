#include "editor/editor_commands.h"

#include "editor/category_naming.h"
#include "editor/editor_window.h"
#include "editor/icon_selection.h"
#include "editor/item_editing.h"
#include "editor/temp_category.h"
#include "launch/item_paths.h"
#include "launch/launch_item.h"
#include "launch/launch_state.h"
#include "launcher/category_list.h"
#include "launcher/commands.h"
#include "launcher/launcher_menus.h"
#include "platform/centered_message_box.h"
#include "platform/file_dialogs.h"
#include "platform/files.h"
#include "platform/popup_menus.h"
#include "platform/shell.h"
#include "platform/ui_controls.h"
#include "platform/ui_dialog_controls.h"
#include "platform/ui_item_view.h"
#include "platform/ui_windows.h"
#include "settings/data_folder.h"
#include "settings/general_settings.h"
#include "settings/language.h"
#include "store/category_file.h"
#include "store/category_store.h"
#include "store/text_lines.h"

namespace {

constexpr int W = kEditorWindow;

bool hasCurrentItem() { return categoryStore.selectedItem >= 0; }

void showCategoryMenu() {
    RebuildCategoryList(categoryNavigation, programFolders.dataFolder, languageText(21));
    resetPopupMenu(kNumberedMenu);
    AddCategoryEntries(kNumberedMenu, true);
    PopupMenuAt(kNumberedMenu, W, kCategoryButton);
}

// A launch that fails here only beeps; an item that names a category takes
// the editor there.
void testLaunch(EditorState& e) {
    const int row = focusedItemRow(W, kItemList);
    const int position = itemRowData(W, kItemList, row);
    if (position < 0 || position >= static_cast<int>(categoryStore.items.size())) return;
    const CategoryItem& item = categoryStore.items[static_cast<size_t>(position)];
    if (itemDefinition(item).empty()) return;
    prepareLaunch(item, launchState.launchRecord);
    if (launchItem(false) & kLaunchCategorySwitch) e.exitCode = kExitLeave | kExitSwitch;
}

void deleteWithQuestion(EditorState& e) {
    if (!hasCurrentItem()) return;
    if (deleteAsks(e, keyHeld(kKeyControl))) {
        const std::wstring question =
            withoutAccessKey(languageText(27)) + L" \"" + controlText(W, kItemTextField) + L"\"?";
        if (showCenteredMessageBox(W, question, languageText(91), kBoxOkCancel | kBoxIconQuestion) != kAnswerOk)
            return;
    }
    deleteCurrentItem(e, categoryStore);
}

// The folder part of a path: up to and including its last "\" or "/".
std::wstring folderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

void browseCommand(EditorState& e) {
    ItemFields& work = e.workingCopy;
    const std::wstring start = folderOf(expandVariables(work.command));
    const std::wstring path = keyHeld(kKeyControl) ? chooseFolder(W, L"Initial Folder", start)
                                                   : chooseFileToOpen(W, L"File", L"All Files", L"*.*", start);
    if (takeCommandPath(work, path)) {
        e.refresh |= kRefreshFields | kRefreshIcon;
        e.pendingEdit = true;
    }
    releaseWorkingIcons(e);
}

void browseDirectory(EditorState& e) {
    const std::wstring folder = chooseFolder(W, L"Initial Folder", expandVariables(e.workingCopy.directory));
    if (folder.empty()) return;
    e.workingCopy.directory = folder;
    e.refresh |= kRefreshFields | kRefreshIcon;
    e.pendingEdit = true;
}

void chooseIcon(EditorState& e) {
    ItemFields& work = e.workingCopy;
    if (work.command.empty()) return;
    const std::wstring chosen = SelectIcon(work.iconSource.empty() ? work.command : work.iconSource, work.largeIcon);
    if (chosen.empty()) return;
    // "Default" answers with a single space: no icon source of its own.
    work.iconSource = std::wstring(trimSpaces(chosen));
    releaseWorkingIcons(e);
    e.refresh |= kRefreshIcon;
    e.pendingEdit = true;
    e.modified = true;
}

void storeField(EditorState& e, int control) {
    ItemField field = ItemField::Text;
    if (control == kCommandField) field = ItemField::Command;
    if (control == kParametersField) field = ItemField::Parameters;
    if (control == kDirectoryField) field = ItemField::Directory;
    storeFieldText(e, field, controlText(W, control));
}

void acceptOrRefuse(EditorState& e) {
    if (!e.pendingEdit) return;
    if (!acceptItem(e, categoryStore, programFolders.dataFolder)) {
        questionBeep();
        return;
    }
    e.focusRequest = kItemList;
}

// Commands that work on the list as it stands: not while an item is edited,
// and not without a current item.
void runListCommand(EditorState& e, int command) {
    if (e.pendingEdit || !hasCurrentItem()) return;
    switch (command) {
        case kMoveUpButton:
        case kMoveDownButton:
            if (!moveCurrentItem(e, categoryStore, command == kMoveUpButton ? -1 : 1)) beep();
            break;
        case kCommandSortItems: sortItems(e, categoryStore); break;
        case kNewItemButton: insertItem(e, categoryStore, false); break;
        case kSeparatorButton:
            insertItem(e, categoryStore, true);
            e.focusRequest = kItemList;
            break;
        default: break;
    }
}

std::wstring tempFile() { return programFolders.dataFolder + L"temp.kvl"; }

std::vector<int> selectedPositions() {
    std::vector<int> positions;
    for (int row : selectedItemRows(W, kItemList)) positions.push_back(itemRowData(W, kItemList, row));
    return positions;
}

// Copy or Move: nothing inside the temp category itself, nothing without a
// choice of rows; Move removes only what reached the temp file.
int carryToTemp(EditorState& e, bool move) {
    const std::vector<int> positions = selectedPositions();
    if (isTempCategory(categoryStore.loadedCategory) || positions.empty()) return 0;
    if (!copyToTemp(categoryStore, positions, tempFile())) return 0;
    categoryNavigation.categorySetChanged = true;
    if (!move) return static_cast<int>(positions.size());
    const int removed = removeItems(categoryStore, positions);
    if (removed > 0) {
        e.refresh |= kRefreshList;
        e.modified = true;
    }
    return removed;
}

int deleteSelected(EditorState& e) {
    const std::vector<int> positions = selectedPositions();
    if (positions.empty()) return 0;
    if (showCenteredMessageBox(W, languageText(92), languageText(91), kBoxOkCancel | kBoxIconQuestion) != kAnswerOk)
        return -1;
    const int removed = removeItems(categoryStore, positions);
    if (removed > 0) {
        e.refresh |= kRefreshList;
        e.modified = true;
    }
    return removed;
}

void runTempCommand(EditorState& e, int command) {
    if (e.pendingEdit) return;
    int changed = -1;
    switch (command) {
        case kCommandCopyToTemp: changed = carryToTemp(e, false); break;
        case kCommandMoveToTemp: changed = carryToTemp(e, true); break;
        case kCommandDeleteSelected: changed = deleteSelected(e); break;
        case kCommandInsertFromTemp: {
            const int taken = insertFromTemp(categoryStore, tempFile(), programDriveLetters());
            if (taken > 0) {
                // Inside the temp category the file stays as it is.
                if (!isTempCategory(categoryStore.loadedCategory)) e.tempItemsTaken = taken;
                e.refresh |= kRefreshAll;
                e.modified = true;
            }
            return;
        }
        case kCommandClearTemp:
            if (isTempCategory(categoryStore.loadedCategory) || !deleteFile(tempFile())) return;
            categoryNavigation.categorySetChanged = true;
            return;
        default: return;
    }
    if (changed > 0) e.refresh |= kRefreshFields | kRefreshIcon | kRefreshWorkingCopy;
    if (changed == 0) beep();
}

}  // namespace

void runEditorCommand(EditorState& e, int command) {
    switch (command) {
        case kCommandContextMenu: showEditorContextMenu(e.tempItemsTaken > 0); break;
        case kCommandCopyToTemp:
        case kCommandMoveToTemp:
        case kCommandDeleteSelected:
        case kCommandInsertFromTemp:
        case kCommandClearTemp: runTempCommand(e, command); break;
        case kCommandFocusItemText: e.focusRequest = kItemTextField; break;
        case kCommandLaunch: testLaunch(e); break;
        case kCategoryName: checkCategoryNameField(e, false); break;
        case kCategoryButton:
            if (!e.pendingEdit) showCategoryMenu();
            break;
        case kStayOnTopButton: setWindowTopmost(W, isChecked(W, kStayOnTopButton)); break;
        case kEditorHelpButton: PopupMenuAt(kHelpMenu, W, kEditorHelpButton); break;
        case kDeleteButton:
            deleteWithQuestion(e);
            e.focusRequest = kItemList;
            break;
        case kBrowseCommandButton: browseCommand(e); break;
        case kBrowseDirectoryButton: browseDirectory(e); break;
        case kSplitWindowBox:
        case kAsRootBox: applyExplorerOptions(e, isChecked(W, kSplitWindowBox), isChecked(W, kAsRootBox)); break;
        case kShowModeList:
            e.workingCopy.showMode = selectedListRow(W, kShowModeList);
            e.pendingEdit = true;
            break;
        case kIconButton: chooseIcon(e); break;
        case kItemTextField:
        case kCommandField:
        case kParametersField:
        case kDirectoryField: storeField(e, command); break;
        case kAcceptItemButton: acceptOrRefuse(e); break;
        case kCancelItemButton:
            if (!e.pendingEdit) break;
            cancelItemEdit(e, categoryStore);
            e.focusRequest = kItemList;
            break;
        case kSaveExitButton:
            if (!e.pendingEdit) e.exitCode = kExitLeave | kExitSave;
            break;
        case kLeaveButton:
            if (!e.pendingEdit) e.exitCode = kExitLeave;
            break;
        case kApplyButton:
            if (!e.pendingEdit) e.exitCode = kExitSave;
            break;
        default: runListCommand(e, command); break;
    }
}

void dropFiles(EditorState& e, int control, const std::vector<std::wstring>& files) {
    if (control == kCommandField) {
        e.pendingEdit = true;
        if (!files.empty()) {
            releaseWorkingIcons(e);
            takeDroppedFile(e.workingCopy, files.front());
            e.refresh |= kRefreshFields | kRefreshIcon;
        }
        bringWindowToFront(W);
        return;
    }
    if (control != kItemList || e.pendingEdit) return;
    const int row = focusedItemRow(W, kItemList);
    const int after = row >= 0 ? itemRowData(W, kItemList, row) : static_cast<int>(categoryStore.items.size()) - 1;
    if (!insertDroppedFiles(e, categoryStore, after, files, programFolders.dataFolder)) beep();
    bringWindowToFront(W);
}
