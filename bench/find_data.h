#pragma once
// The data folder of the Find figure: many categories of programs and
// documents with everyday names, and what a typed text finds in them.
#include <string>
#include <vector>

#include "find/find_matching.h"

struct FindFolder {
    std::wstring folder;
    std::wstring startCategory;  // shown at start
    // Of every item, in lower case (all plain ASCII): its caption and the file
    // name of its command, the two texts Find looks in.
    std::vector<std::wstring> captions;
    std::vector<std::wstring> fileNames;
    // The same as Kivo's Find prepares them, captions as they are written.
    std::vector<SearchName> names;
    std::vector<std::wstring> foldedFileNames;
};

// The folder, and shortcuts in a group of the user's Start menu to programs
// that no item starts, which Find lists beside the items.
FindFolder makeFindFolder(const std::wstring& workFolder, int categories, int itemsEach);
// The group of the user's Start menu that holds the shortcuts.
std::wstring benchShortcutGroup();
constexpr int kBenchShortcuts = 300;
// Takes the shortcuts out of the Start menu again.
void removeBenchShortcuts();

// How many items hold `typed` in their caption or file name, ignoring case:
// the rows of the bare window.
int foundCount(const FindFolder& found, const std::wstring& typed);
// How many rows Kivo's Find shows for `typed`, initials, gaps and slips included.
int kivoFoundCount(const FindFolder& found, const std::wstring& typed);
// Keeps the first `count` items only.
void keepItems(FindFolder& found, size_t count);
