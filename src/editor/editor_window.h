#pragma once
// Window 1, the configuration editor: its controls, keys, menus and what they show.
#include "editor/editor_state.h"
#include "platform/popup_menus.h"
#include "platform/ui_windows.h"

// Controls of the editor window.
constexpr int kItemList = 6;
constexpr int kCategoryName = 7;
constexpr int kCategoryButton = 8;
constexpr int kMoveUpButton = 9;
constexpr int kMoveDownButton = 10;
constexpr int kNewItemButton = 11;
constexpr int kSeparatorButton = 12;
constexpr int kDeleteButton = 13;
constexpr int kStayOnTopButton = 15;
constexpr int kEditorHelpButton = 16;
constexpr int kItemTextField = 19;
constexpr int kIconButton = 20;
constexpr int kCommandField = 21;
constexpr int kBrowseCommandButton = 22;
constexpr int kParametersField = 23;
constexpr int kSplitWindowBox = 24;
constexpr int kAsRootBox = 25;
constexpr int kDirectoryField = 26;
constexpr int kBrowseDirectoryButton = 27;
constexpr int kShowModeList = 28;
constexpr int kAcceptItemButton = 29;
constexpr int kCancelItemButton = 30;
constexpr int kSaveExitButton = 32;
constexpr int kLeaveButton = 33;
constexpr int kApplyButton = 34;

// Commands of the editor's keys and its context menu.
constexpr int kCommandFocusItemText = 90;
constexpr int kCommandCopyToTemp = 80;
constexpr int kCommandMoveToTemp = 81;
constexpr int kCommandInsertFromTemp = 82;
constexpr int kCommandDeleteSelected = 83;
constexpr int kCommandClearTemp = 84;
constexpr int kCommandSortItems = 85;

constexpr int kEditorInnerWidth = 722;
constexpr int kEditorInnerHeight = 385;

// Where the editor opens for a launcher whose outer corner is at x, y: moved
// into the work area when it would stand out of it at the right or bottom,
// or beyond its left or top edge.
ScreenPoint editorWindowPosition(int x, int y, const ScreenRect& workArea);

// Opens the window invisible with every control, font, tip and key. False when
// the system refuses it.
bool openEditorWindow();

// Greys what cannot be used while an item edit is pending, and Apply while
// there is nothing to save.
void showEnableStates(bool pendingEdit, bool modified);
// The working copy's texts, show mode and Explorer boxes into the controls.
void showWorkingCopy(const ItemFields& work);
// Only the Explorer boxes: shown while the command is explorer.exe.
void showExplorerBoxes(const ItemFields& work);
// The working copy's icon on the icon button, with its source as the tip.
void showWorkingIcon(const ItemFields& work);

// Menu 4, the item list's context menu, built once in the language of the moment.
void buildEditorContextMenu();
// Insert and Clear need items in the temp category that are not on their way here.
void showEditorContextMenu(bool tempInserted);
