#pragma once
// Find: the items of every category, read for searching and kept between
// searches, and the ranking of the items that match a typed text.
#include <cstdint>
#include <string>
#include <vector>

#include "find/find_matching.h"
#include "platform/files.h"
#include "store/category_store.h"
#include "store/drive_letters.h"

struct IndexedItem {
    CategoryItem item;  // as showing its category gives it: drive letters adapted
    std::wstring caption;  // as shown: variables expanded
    std::wstring foldedCaption;
    std::wstring foldedFileName;  // of the command
    uint64_t key = 0;  // rowKeyHash of the row, for what Find learned
    uint64_t letters = 0;  // of the folded caption, as matching wants them
    uint64_t startLetters = 0;
    uint64_t fileLetters = 0;
    uint32_t firstStart = 0;  // its word starts in its category's pool
    uint16_t startCount = 0;
    int32_t alias = -1;  // the name of the shortcut it stands in for, in the index's aliases
};

// Fills in the item's folded caption and file name and what matching wants of
// them; the caption's word starts go to the end of `wordStarts`.
void prepareForMatching(IndexedItem& item, std::wstring_view fileName, std::vector<uint16_t>& wordStarts);

struct IndexedCategory {
    std::wstring name;
    std::wstring path;
    // Of the file when it was read: a change of either means it is read again
    // (a file rewritten within the time's resolution mostly changes its size).
    FileStamp stamp;
    std::vector<IndexedItem> items;  // only those Find can offer
    std::vector<uint16_t> wordStarts;  // of all items' captions: one pool, not a list per item
    bool shortcuts = false;  // the programs of the computer, not a category file
};

struct FindIndex {
    // In menu order, and last, when there are any, the shortcuts of the Start
    // menu and the desktop.
    std::vector<IndexedCategory> categories;
    std::vector<size_t> shortcutOfItem;  // the ProgramShortcut of each item of the last
    // The names of shortcuts that an item of a category starts already: the
    // item is found by them too.
    std::vector<SearchName> aliases;
    int filesRead = 0;  // in all, for the curious
};

// The item at `item` of category `category` of the index.
struct FindResult {
    int category = 0;
    int item = 0;
    int rank = 0;     // a MatchClass
    int quality = 0;  // within it, as Match gives it
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
// already starts: the user finds that item instead, by its caption or by the
// shortcut's name. `shortcuts` must outlive the index's use of it.
void placeShortcuts(FindIndex& index, const std::vector<ProgramShortcut>& shortcuts, const std::wstring& name);

// Whether the category's file is gone or changed since it was read; the
// shortcuts' place never is.
bool categoryFileChanged(const IndexedCategory& category);

// The categories Find searches: every one but the start-up and temp categories.
std::vector<std::wstring> searchedCategories(const std::vector<std::wstring>& categoryList,
                                             const std::wstring& startupCategory);

// The items that match `text` (folded as for Find), best first: by the class
// of their match, letters in order by how well, then in menu and item order.
// Nothing for a text of only spaces.
std::vector<FindResult> findItems(const FindIndex& index, const std::wstring& foldedText);

// The same for a text that narrowsSearch says only narrows the one that found
// `found`, the index unchanged since: only those are looked at.
std::vector<FindResult> findItemsAmong(const FindIndex& index, const std::vector<FindResult>& found,
                                       const std::wstring& foldedText);

// Orders results as what Find learned says: within each match class (and
// quality) the items of the categories before the shortcuts, each by the
// weight of their starts; and first of all the row chosen most for texts like
// `foldedText`.
void orderByLearning(std::vector<FindResult>& results, const FindIndex& index, const LearnedRanking& ranking,
                     const std::wstring& foldedText);

// How the index's item matches a prepared text.
Match matchItem(const FindIndex& index, const IndexedCategory& category, const IndexedItem& item,
                SearchQuery& query);
