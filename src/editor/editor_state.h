#pragma once
// What the configuration editor keeps beside the category's items while it is
// open: the current item taken apart, and what is left to save or refresh.
#include <string>

#include "launch/item_fields.h"
#include "platform/icon_handle.h"

// What the top of the editor's loop brings up to date.
constexpr int kRefreshFields = 1;       // the working copy's texts into the fields
constexpr int kRefreshIcon = 2;         // the working copy's icon onto the icon button
constexpr int kRefreshWorkingCopy = 4;  // the working copy from the current item
constexpr int kRefreshList = 8;         // the item list from the items
constexpr int kRefreshAll = 15;
// Only the Explorer check boxes, from the command as it is typed: the fields
// themselves are left alone, or the caret would jump.
constexpr int kRefreshExplorerBoxes = 16;

// How one run of the editor's loop ends (bits).
constexpr int kExitLeave = 1;
constexpr int kExitSave = 2;
constexpr int kExitSwitch = 4;    // to the category in targetCategory
constexpr int kExitDiscard = 8;   // read the category again from its file

struct EditorState {
    ItemFields workingCopy;
    // The working copy's large icon, for the icon button: its own, never one
    // of the list's, which the icon cache may let go at any category switch.
    IconHandle workingIcon;
    bool pendingEdit = false;  // the fields differ from the item
    bool newItem = false;      // inserted and not yet accepted
    bool modified = false;     // the items differ from the category file
    int refresh = 0;
    int focusRequest = 0;  // the control to give the focus to next, 0 for none
    int exitCode = 0;
    // The category file exists but could not be read: it is never written over.
    bool fileUnreadable = false;
    std::wstring editedCategoryName;  // the name field's last valid text
    bool closeProgram = false;  // another instance asked the program to exit
    // Items came in from the temp category: the first this many of its file.
    // They are taken out of it once saved here and stay there while they are
    // not; items copied there in the meantime stay in any case.
    int tempItemsTaken = 0;
};

extern EditorState editorState;
