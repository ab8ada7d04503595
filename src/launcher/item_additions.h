#pragma once
// Items that come into a category from outside the editor: dropped files, and
// rows of Find filed into a category.
#include <string>

#include "launch/item_fields.h"

// Like an item accepted in the editor: "=" would end the caption in the file,
// and an item needs a caption and a command. False when it cannot be kept.
bool acceptNewItem(ItemFields& fields, CategoryItem& element);

// The item a dropped shortcut gives (target, parameters, folder), with the
// shortcut's own icon and show mode, captioned `name`. False when it gives none.
bool shortcutItem(const std::wstring& shortcutFile, const std::wstring& name, CategoryItem& element);

// Adds the item at the end of the category and saves its file at once; the
// category shown gets it in its list too. A file that cannot be read is not
// written over. False, after saying so, when the item could not be saved.
bool addItemToCategory(const std::wstring& category, const CategoryItem& element);
