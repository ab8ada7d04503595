#pragma once
// Category files: one item a line, caption "=" definition, in the data folder.
#include <string>
#include <vector>

#include "platform/icon_handle.h"
#include "store/text_encoding.h"

struct CategoryItem {
    std::wstring text;        // caption; "-" with an empty command is a separator
    std::wstring definition;  // see item_definition.h
    IconHandle largeIcon;
    IconHandle smallIcon;
};

using CategoryItems = std::vector<CategoryItem>;

struct CategoryStore {
    CategoryItems items;
    int selectedItem = -1;  // position of the current item, -1 for none
    // Every category file is written in the format and with the byte-order-mark
    // choice of the category file read most recently.
    TextFormat fileFormat = TextFormat::Utf8;
    bool fileHasBom = true;
};

// The one item list of the running program, shared by the launcher window,
// the launch and the configuration editor.
extern CategoryStore categoryStore;

// Clears the list (icons included) and reads the file; false when it cannot be
// read, leaving the list empty.
bool loadCategoryFile(CategoryStore& store, const std::wstring& path);

// Reads a category file into the list after the item at `selectedItem`; the
// current item then moves to the first inserted one. False when the file cannot
// be read (the list is unchanged).
bool insertCategoryFile(CategoryStore& store, const std::wstring& path);

// Writes every item with a caption; false when the file cannot be written, in
// which case it is left as it was.
bool saveCategoryFile(const CategoryStore& store, const std::wstring& path);

void clearCategoryItems(CategoryStore& store);
