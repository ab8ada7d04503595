#pragma once
// Find in the launcher window: the title strip becomes a field, and the items
// of every category that match what is typed take the item view's place. The
// category shown before stays loaded underneath, so leaving Find shows it again
// as it was.
#include <string>
#include <vector>

#include "find/find_index.h"
#include "find/find_memory.h"
#include "launcher/item_images.h"
#include "find/program_shortcuts.h"
#include "find/shortcut_reading.h"

struct FindState {
    bool open = false;
    FindIndex index;  // kept from one search to the next
    ProgramShortcuts shortcuts;  // read when Find first opens, again when their folders change
    ShortcutReader reader;       // reads them while Find is open already
    FindMemory memory;
    std::vector<FindResult> results;
    std::wstring foundText;  // folded, as the results were found for it
    // The image of each result by icon size (large, small), kRowImageLater
    // until the row is first drawn.
    std::vector<int> resultImages[2];
    ItemImageSet images[2];
    // Of the context menu shown last: its row and the categories it offered.
    int menuRow = -1;
    std::vector<std::wstring> menuCategories;
};

extern FindState findState;

// Creates the field and the list of results, both hidden.
bool CreateFindControls();
// Opens Find with an empty field, reading the categories that came or changed
// since the last search; when it is open already, the same, the field's text is
// searched again and chosen.
void OpenFind();
void CloseFind();
// Searches again for what the field holds, in the category files as they are
// now (those that changed are read again).
void FindTextChanged();
// Starts the result chosen in the list as its category would. When the file of
// its category changed or is gone since, starts nothing: the list is searched
// again and the user chooses anew. Returns the launch result bits.
int LaunchFoundItem();
// The found item of a row, or null.
const IndexedItem* foundItemOfRow(int row);
// The shortcut a row starts, or null for an item of a category.
const ProgramShortcut* foundShortcutOfRow(int row);
// Takes the shortcuts read since, when there are any, and searches again with
// them; the chosen row stays chosen.
void FindShortcutsRead();
// The results searched for again, the index brought up to the files (after a
// save by Find itself, or when learning was forgotten).
void RefreshFind();
