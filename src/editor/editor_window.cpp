#include "editor/editor_window.h"

#include <iterator>
#include <vector>

#include "editor/item_editing.h"
#include "editor/temp_category.h"
#include "launcher/commands.h"
#include "launcher/launcher_menus.h"
#include "launcher/launcher_window.h"
#include "platform/shell.h"
#include "platform/text_case.h"
#include "platform/ui_controls.h"
#include "platform/ui_dialog_controls.h"
#include "settings/data_folder.h"
#include "settings/language.h"
#include "store/category_store.h"

namespace {

constexpr int W = kEditorWindow;
constexpr int kListColumnWidth = 216;

enum class Kind { List, Name, Button, DefaultButton, Glyph, Toggle, IconButton, Frame, Label, CenteredLabel, Field,
                  Check, ShowModes };

enum Unnamed { kButtonFrame = 17, kFieldFrame = 100, kTextLabel, kCommandLabel, kParametersLabel, kDirectoryLabel,
               kRunLabel };

struct ControlRow {
    int id;
    Kind kind;
    int frame;  // the frame whose corner the place counts from, or 0
    int x;
    int y;
    int width;
    int height;
    const wchar_t* text;  // a fixed text, or null for the language entry
    int textEntry;
    int tipEntry;  // language entry of the tool tip, or 0
};

// In the order the Tab key visits them (labels and frames take no part). A
// label's access key gives the focus to the control after it here. The item's
// fields come one after the other, so that its text, command, parameters and
// directory are typed in with Tab between them; the buttons that fill them in
// another way follow the item's Ok and Cancel.
const ControlRow kControls[] = {
    {kItemList, Kind::List, 0, 2, 3, 220, 379, nullptr, 0, 0},
    {kCategoryButton, Kind::Button, 0, 232, 9, 69, 25, nullptr, 16, 0},
    {kCategoryName, Kind::Name, 0, 306, 10, 273, 23, L"", 0, 0},
    {kStayOnTopButton, Kind::Toggle, 0, 650, 9, 30, 25, L"&T", 0, 11},
    {kEditorHelpButton, Kind::Button, 0, 682, 9, 30, 25, L"?", 0, 0},
    {kButtonFrame, Kind::Frame, 0, 232, 46, 480, 45, nullptr, 0, 0},
    {kMoveUpButton, Kind::Glyph, kButtonFrame, 14, 6, 30, 15, L"5", 0, 23},
    {kMoveDownButton, Kind::Glyph, kButtonFrame, 14, 21, 30, 15, L"6", 0, 24},
    {kNewItemButton, Kind::Button, kButtonFrame, 73, 10, 100, 24, nullptr, 25, 0},
    {kSeparatorButton, Kind::Button, kButtonFrame, 182, 10, 100, 24, nullptr, 26, 0},
    {kDeleteButton, Kind::Button, kButtonFrame, 291, 10, 100, 24, nullptr, 27, 0},
    {kFieldFrame, Kind::Frame, 0, 232, 97, 480, 238, nullptr, 0, 0},
    {kTextLabel, Kind::Label, kFieldFrame, 10, 10, 100, 20, nullptr, 32, 0},
    {kItemTextField, Kind::Field, kFieldFrame, 10, 30, 415, 22, nullptr, 0, 0},
    {kCommandLabel, Kind::Label, kFieldFrame, 10, 59, 100, 20, nullptr, 33, 0},
    {kCommandField, Kind::Field, kFieldFrame, 10, 77, 433, 22, nullptr, 0, 0},
    {kParametersLabel, Kind::Label, kFieldFrame, 10, 106, 200, 20, nullptr, 35, 0},
    {kParametersField, Kind::Field, kFieldFrame, 10, 124, 460, 22, nullptr, 0, 0},
    {kDirectoryLabel, Kind::Label, kFieldFrame, 10, 153, 200, 20, nullptr, 38, 0},
    {kDirectoryField, Kind::Field, kFieldFrame, 10, 171, 433, 22, nullptr, 0, 0},
    {kSplitWindowBox, Kind::Check, kFieldFrame, 240, 102, 120, 22, nullptr, 36, 0},
    {kAsRootBox, Kind::Check, kFieldFrame, 360, 102, 100, 22, nullptr, 37, 0},
    {kRunLabel, Kind::CenteredLabel, kFieldFrame, 10, 207, 70, 20, nullptr, 54, 0},
    {kShowModeList, Kind::ShowModes, kFieldFrame, 90, 203, 120, 22, nullptr, 0, 0},
    {kAcceptItemButton, Kind::DefaultButton, kFieldFrame, 260, 202, 80, 24, nullptr, 110, 0},
    {kCancelItemButton, Kind::Button, kFieldFrame, 345, 202, 80, 24, nullptr, 111, 0},
    {kIconButton, Kind::IconButton, kFieldFrame, 430, 12, 40, 40, nullptr, 0, 43},
    {kBrowseCommandButton, Kind::Button, kFieldFrame, 445, 77, 25, 22, L"...", 0, 34},
    {kBrowseDirectoryButton, Kind::Button, kFieldFrame, 445, 171, 25, 22, L"...", 0, 34},
    {kSaveExitButton, Kind::Button, 0, 462, 349, 80, 24, nullptr, 28, 29},
    {kLeaveButton, Kind::Button, 0, 547, 349, 80, 24, nullptr, 30, 0},
    {kApplyButton, Kind::Button, 0, 632, 349, 80, 24, nullptr, 31, 0},
};

const Shortcut kEditorShortcuts[] = {
    {0, kKeyApps, kCommandContextMenu},
    {0, kKeyF1, kCommandHelp},
    {0, kKeyF2, kCommandFocusItemText},
    {0, kKeyF3, kCommandGeneralSettings},
    {0, kKeyReturn, kCommandLaunch},
    {0, kKeyEscape, kCommandCloseRequest},
    {kShortcutControl, kKeySpace, kCategoryButton},
    {kShortcutControl, kKeyUp, kMoveUpButton},
    {kShortcutAlt, kKeyUp, kMoveUpButton},
    {kShortcutControl, kKeyDown, kMoveDownButton},
    {kShortcutAlt, kKeyDown, kMoveDownButton},
};

// Buttons whose access keys are the window's shortcuts too: Alt with the
// letter acts as a click would, but leaves the focus where it is, so that a
// category name being typed is checked by the button's command, not refused
// for the focus leaving it on the way.
const int kShortcutButtons[] = {kNewItemButton, kSeparatorButton, kDeleteButton, kStayOnTopButton,
                                kSaveExitButton, kLeaveButton,     kApplyButton};

// Greyed while an item edit is pending.
const int kIdleOnly[] = {kMoveUpButton, kMoveDownButton, kCategoryButton, kSeparatorButton, kNewItemButton,
                         kItemList,     kSaveExitButton, kLeaveButton};

struct MenuRow {
    int command;  // 0 for a line
    int textEntry;
    const wchar_t* key;
};
constexpr int kMultipleItemsMenu = 7;  // the sub-menu's own number
const MenuRow kMultipleItemsRows[] = {
    {kCommandCopyToTemp, 46, nullptr}, {kCommandMoveToTemp, 47, nullptr}, {kCommandDeleteSelected, 27, nullptr},
    {0, 0, nullptr},                   {kCommandInsertFromTemp, 48, nullptr}, {kCommandClearTemp, 49, nullptr},
};
const MenuRow kContextRows[] = {
    {0, 0, nullptr},          {kCommandSortItems, 50, nullptr}, {0, 0, nullptr}, {kCommandGeneralSettings, 6, L"F3"},
    {0, 0, nullptr},          {kCommandLargeIcons, 12, nullptr}, {kCommandFont, 7, nullptr},
    {kCommandBackground, 8, nullptr},
};

void appendRows(int menuId, const MenuRow* rows, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const MenuRow& row = rows[i];
        if (row.command == 0) {
            appendMenuSeparator(menuId);
            continue;
        }
        std::wstring text = languageText(row.textEntry);
        if (row.key) text += std::wstring(L"\t") + row.key;
        appendMenuEntry(menuId, row.command, text);
    }
}

const ControlRow* rowOf(int id) {
    for (const ControlRow& row : kControls)
        if (row.id == id) return &row;
    return nullptr;
}

bool isLabel(Kind kind) { return kind == Kind::Label || kind == Kind::CenteredLabel; }

int layerOf(Kind kind) {
    if (kind == Kind::Frame) return 2;
    return isLabel(kind) ? 1 : 0;
}

// The labels lie below all the controls (see openEditorWindow), so that the
// control after one in the Tab order is not the field it names: each is told
// the control that follows it in the table.
void tieLabels() {
    const size_t count = std::size(kControls);
    for (size_t i = 0; i < count; ++i) {
        if (!isLabel(kControls[i].kind)) continue;
        size_t next = i + 1;
        while (next < count && layerOf(kControls[next].kind) != 0) ++next;
        if (next < count) setLabelTarget(W, kControls[i].id, kControls[next].id);
    }
}

void* fontOf(Kind kind) {
    if (kind == Kind::Name) return launcherWindow.fonts[kDialogFontBold].handle;
    if (kind == Kind::Glyph) return launcherWindow.fonts[kGlyphFontSmall].handle;
    return launcherWindow.fonts[kDialogFont].handle;
}

std::wstring textOf(const ControlRow& row) { return row.text ? std::wstring(row.text) : languageText(row.textEntry); }

// The key of a shortcut for an access key: a letter or a digit. Others (an
// umlaut, say) are left to the window's dialog keys, which press the button.
int shortcutKey(wchar_t key) {
    if (key >= L'a' && key <= L'z') key = static_cast<wchar_t>(key - L'a' + L'A');
    return (key >= L'A' && key <= L'Z') || (key >= L'0' && key <= L'9') ? key : 0;
}

void setEditorShortcuts() {
    std::vector<Shortcut> shortcuts(std::begin(kEditorShortcuts), std::end(kEditorShortcuts));
    for (int id : kShortcutButtons)
        if (const int key = shortcutKey(accessKey(textOf(*rowOf(id))))) shortcuts.push_back({kShortcutAlt, key, id});
    setWindowShortcuts(W, shortcuts.data(), static_cast<int>(shortcuts.size()));
}

bool addRow(const ControlRow& row) {
    int x = row.x;
    int y = row.y;
    if (const ControlRow* frame = row.frame ? rowOf(row.frame) : nullptr) {
        x += frame->x;
        y += frame->y;
    }
    const int w = row.width;
    const int h = row.height;
    const std::wstring text = textOf(row);
    switch (row.kind) {
        case Kind::List:
            return addItemView(W, row.id, x, y, w, h, kListColumnWidth, L"Menu Items", true);
        case Kind::Name:
        case Kind::Field: return addEditField(W, row.id, x, y, w, h, text, false, 0);
        case Kind::Button:
        case Kind::Glyph: return addPushButton(W, row.id, x, y, w, h, text, false);
        case Kind::DefaultButton: return addPushButton(W, row.id, x, y, w, h, text, true);
        case Kind::Toggle: return addToggleButton(W, row.id, x, y, w, h, text);
        case Kind::IconButton: return addIconButton(W, row.id, x, y, w, h);
        case Kind::Frame: return addFrame(W, row.id, x, y, w, h);
        case Kind::Label: return addLabel(W, row.id, x, y, w, h, text, TextAlign::Left);
        case Kind::CenteredLabel: return addLabel(W, row.id, x, y, w, h, text, TextAlign::Center);
        case Kind::Check: return addCheckBox(W, row.id, x, y, w, h, text);
        case Kind::ShowModes:
            if (!addDropDownList(W, row.id, x, y, w, h)) return false;
            for (int entry = 39; entry <= 42; ++entry) addListRow(W, row.id, languageText(entry));
            return true;
    }
    return false;
}

}  // namespace

ScreenPoint editorWindowPosition(int x, int y, const ScreenRect& workArea) {
    constexpr int kOuterWidth = 732;
    constexpr int kOuterHeight = 418;
    if (x > workArea.right - kOuterWidth && x < workArea.right + kEditorInnerWidth) x = workArea.right - kOuterWidth;
    if (x < workArea.left) x = workArea.left;
    if (y > workArea.bottom - kOuterHeight) y = workArea.bottom - kOuterHeight;
    if (y < workArea.top) y = workArea.top;
    return ScreenPoint{x, y};
}

bool openEditorWindow() {
    WindowSpec spec{0, 0, kEditorInnerWidth, kEditorInnerHeight, launcherWindow.programTitle, false};
    spec.dialogFrame = true;
    if (!openWindow(W, spec)) return false;
    // A second start finds the editor by the marks the launcher carries.
    setWindowUserData(W, launcherWindow.instanceId);
    setWindowIcons(W, launcherWindow.programLargeIcon.handle, launcherWindow.programSmallIcon.handle);
    // A new control goes below the others: labels after the controls they
    // touch, frames last, so that neither paints over a field's edge nor
    // takes the drops and clicks meant for the controls on it.
    for (int layer = 0; layer < 3; ++layer) {
        for (const ControlRow& row : kControls) {
            if (layerOf(row.kind) != layer) continue;
            if (!addRow(row)) return false;
            setControlFont(W, row.id, fontOf(row.kind));
            if (row.tipEntry) setControlTip(W, row.id, languageText(row.tipEntry));
        }
    }
    acceptDroppedFiles(W, kCommandField);
    setEditorShortcuts();
    tieLabels();
    useDialogKeys(W);
    return true;
}

void showEnableStates(bool pendingEdit, bool modified) {
    setControlEnabled(W, kAcceptItemButton, pendingEdit);
    setControlEnabled(W, kCancelItemButton, pendingEdit);
    for (int id : kIdleOnly) setControlEnabled(W, id, !pendingEdit);
    setControlEnabled(W, kApplyButton, !pendingEdit && modified);
}

void showWorkingCopy(const ItemFields& work) {
    setControlText(W, kItemTextField, work.text);
    setControlText(W, kCommandField, work.command);
    setControlText(W, kParametersField, work.parameters);
    setControlText(W, kDirectoryField, work.directory);
    showExplorerBoxes(work);
    selectListRow(W, kShowModeList, work.showMode);
}

void showExplorerBoxes(const ItemFields& work) {
    const bool explorer = isExplorerCommand(work.command);
    if (explorer) {
        const std::wstring parameters = toLowerCase(work.parameters);
        setChecked(W, kSplitWindowBox, parameters.find(L"/e") != std::wstring::npos);
        setChecked(W, kAsRootBox, parameters.find(L"/root") != std::wstring::npos);
    }
    setControlVisible(W, kSplitWindowBox, explorer);
    setControlVisible(W, kAsRootBox, explorer);
}

void showWorkingIcon(const ItemFields& work) {
    setButtonIcon(W, kIconButton, work.largeIcon);
    setControlTip(W, kIconButton, work.iconSource.empty() ? languageText(43) : work.iconSource);
}

void buildEditorContextMenu() {
    resetPopupMenu(kMultipleItemsMenu);
    appendRows(kMultipleItemsMenu, kMultipleItemsRows, std::size(kMultipleItemsRows));
    resetPopupMenu(kEditorContextMenu);
    appendSubMenu(kEditorContextMenu, kMultipleItemsMenu, languageText(45));
    appendRows(kEditorContextMenu, kContextRows, std::size(kContextRows));
}

void showEditorContextMenu(bool tempInserted) {
    const bool available = !tempInserted && tempHoldsItems(programFolders.dataFolder + L"temp.kvl");
    setMenuEntryEnabled(kEditorContextMenu, kCommandInsertFromTemp, available);
    setMenuEntryEnabled(kEditorContextMenu, kCommandClearTemp, available);
    setMenuEntryChecked(kEditorContextMenu, kCommandLargeIcons, categoryStore.geometry.largeIcons != 0);
    PopupMenuAt(kEditorContextMenu, W, kItemList);
}
