#pragma once
// Where an item's icon comes from.
#include <string>

#include "launch/item_fields.h"
#include "platform/icons.h"

// Fills the record's icon of that size from the first source that gives one: the
// icon source, the default application icon for an empty command, the web icon
// for web addresses, the program's own icon for category switches and file
// menus, the folder of an Explorer item, then what the shell shows for the
// command. The caller hands the handle to the list element, which owns it.
void fetchItemIcon(ItemFields& fields, IconSize size);

// "file" or "file,index" (split at the last ","); the file may be relative to the
// data folder or hold environment references. Null for a missing, empty or
// folder file and for a missing index.
void* extractIconFromSource(const std::wstring& source, IconSize size);

// Destroys the record's icons, for an item whose command or icon changed.
void releaseItemIcons(ItemFields& fields);
