#pragma once
// Where an item's icon comes from.
#include <string>

#include "launch/item_fields.h"
#include "platform/icons.h"

// The sources an item's icon is looked for in, in the order they are tried.
struct IconPlan {
    std::wstring sourceFile;  // full path of the icon source's file; empty for none
    int sourceIndex = 0;
    bool defaultIcon = false;  // no command: the system's default application icon
    std::wstring shellPath;    // otherwise the file or folder the shell is asked about
};

IconPlan planItemIcon(const ItemFields& fields);

// Fills the record's icon of that size from the first source that gives one: the
// icon source, the default application icon for an empty command, the web icon
// for web addresses, the program's own icon for category switches and file
// menus, the folder of an Explorer item, then what the shell shows for the
// command; `pixels` square (iconPixels). The handle belongs to the caller.
void fetchItemIcon(ItemFields& fields, IconSize size, int pixels);

// "file" or "file,index" (split at the last ","); the file may be relative to the
// data folder or hold environment references. Null for a missing, empty or
// folder file and for a missing index.
void* extractIconFromSource(const std::wstring& source, int pixels);

// Destroys the record's icons, for an item whose command or icon changed.
void releaseItemIcons(ItemFields& fields);
