#pragma once
// Category files: one item a line, caption "=" definition, in the data folder.
#include <string>
#include <vector>

#include "store/category_store.h"

// Clears the list (icons included) and reads the file; false when it cannot be
// read, leaving the list empty.
bool loadCategoryFile(CategoryStore& store, const std::wstring& path);

struct CategoryFileContent {
    CategoryItems items;  // a line without "=" gives an empty item
    std::vector<KeptItemBytes> keptBytes;  // those the items name
    TextFormat format = TextFormat::Utf8;
    bool hasBom = false;
    bool anyItem = false;  // some line held an "="
};
// Reads a category file as it stands, changing nothing else; false when it
// cannot be read.
bool readCategoryFile(const std::wstring& path, CategoryFileContent& content);
// Reads a category file into the list after the item at `selectedItem`; the
// current item then moves to the first inserted one. False when the file cannot
// be read (the list is unchanged).
bool insertCategoryFile(CategoryStore& store, const std::wstring& path);

// Writes every item with a caption, an unchanged caption or definition in the
// bytes it was read as; false when the file cannot be written, or not in its
// own form, in which case it is left as it was.
bool saveCategoryFile(const CategoryStore& store, const std::wstring& path);

void clearCategoryItems(CategoryStore& store);

// A name that can only mean a category file of the data folder: not empty, and
// nothing that a file name cannot hold, so no path ("..\\x", "C:\\x") either,
// before and after its environment references are expanded; no device name.
bool isCategoryName(const std::wstring& name);
// The full path of the category's file in the data folder (the current
// directory); empty for a name that is not a category name.
std::wstring categoryFilePathOf(const std::wstring& name);
// Not empty, no control character and nothing a file name cannot hold (so no
// path either).
bool isFileNameText(const std::wstring& name);
// "con", "nul", "com1" and the like, with any extension: names the system gives
// to devices, never to files.
bool isDeviceName(const std::wstring& name);
// The temp category, where the editor carries items between categories.
bool isTempCategory(const std::wstring& categoryName);
