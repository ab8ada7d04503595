#pragma once
// Turning a chosen or dropped path into an item.
#include <string>

#include "launch/item_fields.h"

// Gives the item a caption made from the path when it has none: a web address's
// host, otherwise the file or folder name (a file without its extension).
void deriveItemText(ItemFields& item, const std::wstring& path);

// The path becomes the command (a folder path may end in "\"). False when the path
// is blank and nothing changed.
bool takeCommandPath(ItemFields& item, const std::wstring& path);

enum class DropTaken {
    Nothing,
    InternetAddress,  // the address of an internet shortcut became the command
    Path,             // the path (of a shortcut: its target) became the command
};
// An internet shortcut gives its address; a shortcut its target, arguments and
// working directory; any other file its own path.
DropTaken takeDroppedFile(ItemFields& item, const std::wstring& path);
