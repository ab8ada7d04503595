#pragma once
// The icons of the category shown, one per icon and size however many items
// show it: the same program, documents of one type, folders with the plain
// folder icon. The cache owns them and lends them; it lets them go when the
// category is left.
#include <string>
#include <unordered_map>

#include "launch/item_fields.h"
#include "launch/item_icons.h"
#include "platform/icon_handle.h"
#include "platform/icons.h"

// Where icons are taken from; tests count the calls.
struct IconServices {
    void* (*extractFileIcon)(const std::wstring& file, int index, int pixels);
    int (*shellIconIndexOf)(const std::wstring& path);
    void* (*shellIconOf)(const std::wstring& path, int pixels);
};

IconServices systemIconServices();

// A lent icon and a number that stands for it as long as the program runs
// (never given to another icon, even after the cache let it go). Both 0: no icon.
struct CachedIcon {
    void* icon = nullptr;
    int id = 0;
};

struct IconCache {
    struct Entry {
        IconHandle icon;
        int id = 0;
    };
    // By what was extracted: an icon file and index, a shell icon, the default.
    std::unordered_map<std::wstring, Entry> icons;
    // By what an item asks for (iconRequestOf and pixels): the key in `icons`,
    // empty when nothing gave an icon.
    std::unordered_map<std::wstring, std::wstring> answers;
    int nextId = 1;
    IconServices services = systemIconServices();
};

// Items with the same request show the same icon.
std::wstring iconRequestOf(const ItemFields& fields);
std::wstring iconRequestOf(const IconPlan& plan);

// The item's icon, `pixels` square (iconPixels), by the order fetchItemIcon
// follows, extracted only when no item asked for it before.
CachedIcon cachedItemIcon(IconCache& cache, const ItemFields& fields, int pixels);
// The same for sources planned elsewhere (a shortcut's, read with it).
CachedIcon cachedPlanIcon(IconCache& cache, const IconPlan& plan, int pixels);

// Destroys every icon lent so far.
void releaseIconCache(IconCache& cache);
