#include "launcher/item_images.h"

#include "launch/icon_cache.h"
#include "launch/launch_state.h"
#include "launcher/launcher_window.h"
#include "platform/text_case.h"
#include "platform/ui_item_view.h"
#include "platform/ui_windows.h"
#include "store/category_store.h"
#include "store/item_definition.h"

namespace {

ItemImageSet* findSet(ItemImages& images, const std::wstring& category, int pixels) {
    for (ItemImageSet& set : images.sets) {
        if (set.pixels == pixels && sameTextIgnoringCase(set.category, category)) return &set;
    }
    return nullptr;
}

void leaveCategory(ItemImages& images, const std::wstring& category) {
    images.previousCategory = images.shownCategory;
    images.shownCategory = category;
    releaseIconCache(launchState.icons);
    std::erase_if(images.sets, [&](const ItemImageSet& set) {
        return !sameTextIgnoringCase(set.category, images.shownCategory) &&
               !sameTextIgnoringCase(set.category, images.previousCategory);
    });
}

}  // namespace

int itemImageInSet(ItemImageSet& set, const CategoryItem& item) {
    // Not the launch record: a view may draw while a launch is using it.
    ItemFields fields;
    prepareLaunch(item, fields);
    return plannedImageInSet(set, planItemIcon(fields));
}

int plannedImageInSet(ItemImageSet& set, const IconPlan& plan) {
    const std::wstring request = iconRequestOf(plan);
    const auto known = set.indexOfRequest.find(request);
    if (known != set.indexOfRequest.end()) return known->second;
    const CachedIcon icon = cachedPlanIcon(launchState.icons, plan, set.pixels);
    int index = kRowImageNone;
    if (icon.icon) {
        const auto shared = set.indexOfIcon.find(icon.id);
        if (shared != set.indexOfIcon.end()) {
            index = shared->second;
        } else {
            index = addImageListIcon(set.list.handle, icon.icon);
            if (index >= 0) set.indexOfIcon.emplace(icon.id, index);
        }
    }
    set.indexOfRequest.emplace(request, index < 0 ? kRowImageNone : index);
    return index < 0 ? kRowImageNone : index;
}

ItemImageSet newItemImageSet(const std::wstring& category, int pixels) {
    ItemImageSet set;
    set.category = category;
    set.pixels = pixels;
    set.list.reset(createIconImageList(pixels));
    return set;
}

void* itemImagesFor(ItemImages& images, const std::wstring& category, int pixels) {
    if (!sameTextIgnoringCase(images.shownCategory, category)) leaveCategory(images, category);
    ItemImageSet* set = findSet(images, category, pixels);
    if (!set) {
        images.sets.push_back(newItemImageSet(category, pixels));
        set = &images.sets.back();
    }
    return set->list.handle;
}

int itemImageOf(int windowId, int, int position, IconSize size) {
    ItemImages& images = launcherWindow.images;
    const CategoryItems& items = categoryStore.items;
    ItemImageSet* set = findSet(images, images.shownCategory, iconPixels(size, windowDpi(windowId)));
    // Rows of items that have changed since the view was filled: it is filled
    // again in this turn, and asks again then.
    if (!set || position < 0 || static_cast<size_t>(position) >= items.size()) return kRowImageLater;
    const CategoryItem& item = items[static_cast<size_t>(position)];
    if (!definitionHasCommand(itemDefinition(item))) return kRowImageNone;
    return itemImageInSet(*set, item);
}

void releaseItemImages(ItemImages& images) {
    images.sets.clear();
    images.shownCategory.clear();
    images.previousCategory.clear();
}
