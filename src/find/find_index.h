#pragma once
// Find: the items of every category, read for searching and kept between
// searches, and the ranking of the items that match a typed text.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/files.h"
#include "store/category_store.h"
#include "store/drive_letters.h"

struct IndexedItem {
    CategoryItem item;  // as showing its category gives it: drive letters adapted
    std::wstring caption;  // as shown: variables expanded
    std::wstring foldedCaption;
    std::wstring foldedFileName;  // of the command
    uint64_t key = 0;  // rowKeyHash of the row, for what Find learned
};

struct IndexedCategory {
    std::wstring name;
    std::wstring path;
    // Of the file when it was read: a change of either means it is read again
    // (a file rewritten within the time's resolution mostly changes its size).
    FileStamp stamp;
    std::vector<IndexedItem> items;  // only those Find can offer
    bool shortcuts = false;  // the programs of the computer, not a category file
};

struct FindIndex {
    // In menu order, and last, when there are any, the shortcuts of the Start
    // menu and the desktop.
    std::vector<IndexedCategory> categories;
    std::vector<size_t> shortcutOfItem;  // the ProgramShortcut of each item of the last
    int filesRead = 0;  // in all, for the curious
};

// The item at `item` of category `category` of the index.
struct FindResult {
    int category = 0;
    int item = 0;
    int rank = 0;  // as matchRank gives it
};

struct ProgramShortcut;
struct LearnedRanking;

// Brings the index up to the named categories: a category read before is read
// again only when its file changed since; one whose file cannot be read is left
// out without a word. Nothing is ever written. `drives` as for showing a category.
void refreshFindIndex(FindIndex& index, const std::vector<std::wstring>& names, const DriveLetters& drives);

// Reads again the categories of the index whose file changed since they were
// read; one whose file is gone or cannot be read has no items until its file
// can be read again. Only one query of each file, no listing of the folder, so
// that it may run at every letter typed. True when anything changed.
bool refreshChangedCategories(FindIndex& index, const DriveLetters& drives);

// Puts the shortcuts after the categories (anew, in place of those put there
// before), named `name`, but for those whose target an item of a category
// already starts: the user finds that item instead. `shortcuts` must outlive
// the index's use of it.
void placeShortcuts(FindIndex& index, const std::vector<ProgramShortcut>& shortcuts, const std::wstring& name);

// Whether the category's file is gone or changed since it was read; the
// shortcuts' place never is.
bool categoryFileChanged(const IndexedCategory& category);

// The categories Find searches: every one but the start-up and temp categories.
std::vector<std::wstring> searchedCategories(const std::vector<std::wstring>& categoryList,
                                             const std::wstring& startupCategory);

// The items whose caption or command file name holds `text` (folded as for
// Find), best first: the caption starts with it, then a word of the caption
// does, then the caption holds it, then the command's file name does; within
// each, in menu order and then in item order. Nothing for an empty text.
std::vector<FindResult> findItems(const FindIndex& index, const std::wstring& foldedText);

// The same for a text that begins with the one that found `found`, the index
// unchanged since: whatever it finds is among those, so only they are looked at.
std::vector<FindResult> findItemsAmong(const FindIndex& index, const std::vector<FindResult>& found,
                                       const std::wstring& foldedText);

// Orders results as what Find learned says: within each match class the items
// of the categories before the shortcuts, each by the weight of their starts;
// and first of all the row chosen most for texts like `foldedText`.
void orderByLearning(std::vector<FindResult>& results, const FindIndex& index, const LearnedRanking& ranking,
                     const std::wstring& foldedText);

// Where a single caption and file name stand for a folded text: 0 to 3 as above,
// -1 for no match.
int matchRank(const std::wstring& foldedCaption, const std::wstring& foldedFileName, const std::wstring& foldedText);
