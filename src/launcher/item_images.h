#pragma once
// The image lists the item views draw from: one per category and icon size in
// pixels, kept for the category shown and for the one shown before it, so that
// going back, switching the icon size or choosing a font takes nothing out of
// files again. A row's icon goes into its list the first time the row is drawn.
#include <string>
#include <unordered_map>
#include <vector>

#include "launch/item_icons.h"
#include "platform/icons.h"
#include "platform/image_lists.h"
#include "store/category_store.h"

struct ItemImageSet {
    std::wstring category;
    int pixels = 0;  // the side of its icons (iconPixels)
    ImageListHandle list;
    // By what the item asks for (iconRequestOf): the index, -1 for no icon.
    std::unordered_map<std::wstring, int> indexOfRequest;
    // By the icon cache's number of an icon: items that ask differently for
    // the same icon share its image.
    std::unordered_map<int, int> indexOfIcon;
};

struct ItemImages {
    std::vector<ItemImageSet> sets;
    std::wstring shownCategory;
    std::wstring previousCategory;
};

// The list of icons `pixels` square for the category the store holds now.
// Showing another category lets the icon cache go and drops the lists of all
// but the last two.
void* itemImagesFor(ItemImages& images, const std::wstring& category, int pixels);

// The image of the item at `position` of the category shown, at the icon size
// of the window's display: what the item views ask for a row they draw for the
// first time (an ItemImageSource).
int itemImageOf(int windowId, int controlId, int position, IconSize size);

void releaseItemImages(ItemImages& images);

// A set of its own, for a list of items from several categories (Find). Its
// images stay right while the icon cache is kept (until another category is
// shown).
ItemImageSet newItemImageSet(const std::wstring& category, int pixels);
// The image of the item in the set, taken out of its file the first time.
int itemImageInSet(ItemImageSet& set, const CategoryItem& item);
// The same for icon sources planned elsewhere.
int plannedImageInSet(ItemImageSet& set, const IconPlan& plan);
