#include "editor/editor_loop.h"

#include "editor/category_naming.h"
#include "editor/editor_commands.h"
#include "editor/editor_window.h"
#include "editor/item_editing.h"
#include "editor/temp_category.h"
#include "launch/launch_item.h"
#include "launch/launch_state.h"
#include "launcher/category_list.h"
#include "launcher/commands.h"
#include "launcher/launcher_window.h"
#include "platform/centered_message_box.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "platform/text_case.h"
#include "platform/ui_controls.h"
#include "platform/ui_dialog_controls.h"
#include "platform/ui_events.h"
#include "platform/ui_item_view.h"
#include "settings/data_folder.h"
#include "settings/language.h"
#include "settings_dialog/common_menu.h"
#include "store/category_file.h"
#include "store/category_store.h"

namespace {

constexpr int W = kEditorWindow;
constexpr int kNothing = 0;

// What the top of the loop showed last, to know when the enable states change.
struct ShownStates {
    bool valid = false;
    bool pendingEdit = false;
    bool modified = false;
};

void refreshTop(EditorState& e, ShownStates& shown) {
    if (!shown.valid || shown.pendingEdit != e.pendingEdit || shown.modified != e.modified) {
        showEnableStates(e.pendingEdit, e.modified);
        shown = ShownStates{true, e.pendingEdit, e.modified};
    }
    if (e.refresh & kRefreshList) {
        if (FillItemView(ItemViewForm::Editor, W, kItemList) == 0 && !e.pendingEdit) clearWorkingCopy(e);
    }
    if (e.refresh & kRefreshWorkingCopy) loadWorkingCopy(e, categoryStore);
    if (e.refresh & kRefreshFields) {
        showWorkingCopy(e.workingCopy);
        if (e.workingCopy.text.empty()) e.focusRequest = kItemTextField;
    } else if (e.refresh & kRefreshExplorerBoxes) {
        showExplorerBoxes(e.workingCopy);
    }
    if (e.refresh & kRefreshIcon) {
        fetchWorkingIcon(e);
        showWorkingIcon(e.workingCopy);
    }
    if (e.focusRequest) setFocusTo(W, e.focusRequest);
    e.focusRequest = 0;
    e.refresh = 0;
}

// The focused row becomes the current item unless the current item is still
// among the chosen rows: extending a choice of several keeps it.
void followListFocus(EditorState& e) {
    const int row = focusedItemRow(W, kItemList);
    if (row < 0) return;
    const int position = itemRowData(W, kItemList, row);
    const int current = categoryStore.selectedItem;
    if (position < 0 || position == current) return;
    if (current >= 0 && itemRowSelected(W, kItemList, current)) return;
    categoryStore.selectedItem = position;
    e.refresh |= kRefreshFields | kRefreshIcon | kRefreshWorkingCopy;
}

int onMenuEvent(EditorState& e, int number) {
    CategoryNavigation& nav = categoryNavigation;
    if (number >= kFirstMenuEntry) {
        const size_t position = static_cast<size_t>(number - kFirstMenuEntry);
        if (launchState.popupMenuMode == kMenuModeFileMenu) {
            launchFileMenuEntry(static_cast<int>(position));
        } else if (launchState.popupMenuMode == kMenuModeCategoryEntries && position < nav.categoryList.size() &&
                   !sameTextIgnoringCase(nav.categoryList[position], categoryStore.loadedCategory)) {
            nav.targetCategory = nav.categoryList[position];
            e.exitCode = kExitLeave | kExitSwitch;
        }
        return kNothing;
    }
    switch (number) {
        case kCommandNewCategory:
            nav.targetCategory = languageText(20);
            e.exitCode = kExitLeave | kExitSwitch;
            return kNothing;
        case kCommandLaunch: return focusedControl(W) == kItemList ? kCommandLaunch : kAcceptItemButton;
        case kCommandCloseRequest:
            if (e.pendingEdit) return kNothing;
            if (focusedControl(W) == kItemList) e.exitCode = kExitLeave;
            e.focusRequest = kItemList;
            return kNothing;
        case kStayOnTopButton:
            // The key flips the button as a click would.
            setChecked(W, kStayOnTopButton, !isChecked(W, kStayOnTopButton));
            return kStayOnTopButton;
        default: break;
    }
    if (!handleCommonMenu(number)) return number;
    // A new font changes the rows' height.
    if (number == kCommandFont) e.refresh |= kRefreshList;
    return kNothing;
}

int onItemListEvent(EditorState& e, const UiEvent& event) {
    followListFocus(e);
    if (event.code == kRightClick) return kCommandContextMenu;
    if (event.code == kLeftDoubleClick) return kCommandLaunch;
    return kNothing;
}

// Another instance, the hotkey or the tray icon reach the hidden launcher:
// the editor answers in its place.
void onOtherWindow(EditorState& e, const UiEvent& event) {
    switch (event.kind) {
        case UiEventKind::UserMessage:
            if (event.code != kCommandExit) return;
            e.closeProgram = true;
            e.exitCode = kExitLeave;
            return;
        case UiEventKind::Hotkey:
        case UiEventKind::Tray: bringWindowToFront(W); return;
        default: return;
    }
}

int classify(EditorState& e, const UiEvent& event) {
    if (event.windowId != W) {
        onOtherWindow(e, event);
        return kNothing;
    }
    switch (event.kind) {
        case UiEventKind::Menu: return onMenuEvent(e, event.code);
        case UiEventKind::FilesDropped: dropFiles(e, event.control, event.files); return kNothing;
        case UiEventKind::ItemView:
            return event.control == kItemList ? onItemListEvent(e, event) : kNothing;
        case UiEventKind::ControlClick: return event.control;
        case UiEventKind::ControlChanged:
            if (event.code != kFieldLeft) return event.control;
            if (event.control == kCategoryName) checkCategoryNameField(e, true);
            return kNothing;
        case UiEventKind::CloseRequest: e.exitCode = kExitLeave; return kNothing;
        case UiEventKind::UserMessage: onOtherWindow(e, event); return kNothing;
        // Icons of the new display's size, in the list and on the icon button.
        case UiEventKind::ScaleChanged:
            releaseWorkingIcons(e);
            e.refresh |= kRefreshList | kRefreshIcon;
            return kNothing;
        default: return kNothing;
    }
}

int ask(int textEntry, unsigned buttons) {
    return showCenteredMessageBox(W, languageText(textEntry), languageText(91), buttons | kBoxIconQuestion);
}

// An edit not yet accepted is as unsaved as a changed list.
void checkLeave(EditorState& e) {
    int& exit = e.exitCode;
    if ((exit & kExitLeave) && !(exit & kExitSave) && (e.modified || e.pendingEdit)) {
        if (exit & kExitSwitch) {
            if (categoryStore.items.empty()) {
                exit |= kExitSave;
            } else {
                const int answer = ask(93, kBoxYesNoCancel);
                if (answer == kAnswerYes) exit |= kExitSave;
                if (answer == kAnswerCancel) exit = 0;
            }
        } else {
            exit = ask(94, kBoxOkCancel) == kAnswerOk ? exit | kExitDiscard : 0;
        }
    }
    if ((exit & kExitSave) && !saveEditedCategory()) exit = 0;
}

}  // namespace

bool saveEditedCategory() {
    EditorState& e = editorState;
    categoryNavigation.categorySetChanged = true;
    const std::wstring nameBefore = categoryStore.loadedCategory;
    if (!renameEditedCategory()) return false;
    // Nothing changed: the file keeps its bytes, comments and lines without "=" included.
    if (!e.modified && e.tempItemsTaken == 0 && categoryStore.loadedCategory == nameBefore) return true;
    // A file that could not be read is never written over.
    if (e.fileUnreadable || !saveCategoryFile(categoryStore, categoryStore.categoryFilePath)) {
        showCenteredMessageBox(W, languageText(95) + L"\r\n" + categoryStore.categoryFilePath, languageText(89),
                               kBoxOk | kBoxIconExclamation);
        return false;
    }
    e.modified = false;
    // The items taken from the temp category are safe here now.
    if (e.tempItemsTaken > 0 && dropTakenItems(programFolders.dataFolder + L"temp.kvl", e.tempItemsTaken))
        categoryNavigation.categorySetChanged = true;
    e.tempItemsTaken = 0;
    return true;
}

int RunEditorLoop(bool startModified) {
    EditorState& e = editorState;
    setControlText(W, kCategoryName, categoryStore.loadedCategory);
    e.focusRequest = kItemList;
    e.refresh = kRefreshAll;
    e.pendingEdit = false;
    e.newItem = false;
    e.modified = startModified;
    e.exitCode = 0;
    ShownStates shown;
    for (;;) {
        refreshTop(e, shown);
        categoryNavigation.targetCategory.clear();
        UiEvent event;
        if (!waitEvent(event)) {
            // The program is told to quit: what is unsaved was saved at the
            // session's end, if that is why.
            e.closeProgram = true;
            return kExitLeave;
        }
        e.exitCode = 0;
        const int command = classify(e, event);
        if (command != kNothing) runEditorCommand(e, command);
        checkLeave(e);
        if (e.exitCode & kExitLeave) return e.exitCode;
        // The user kept the editor open when asked: the program stays too.
        e.closeProgram = false;
    }
}
