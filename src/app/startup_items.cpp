#include "app/startup_items.h"

#include "launch/launch_item.h"
#include "launcher/category_list.h"
#include "store/category_window.h"

void launchStartupItems(const StartOptions& options, const DriveLetters& drives) {
    if (categoryNavigation.startupCategory.empty() || options.skipStartupItems) return;
    if (launchState.services.isKeyHeld(kKeyControl)) return;
    std::wstring name = categoryNavigation.startupCategory;
    if (!loadCategory(categoryStore, name, drives)) return;
    for (const CategoryItem& item : categoryStore.items) {
        if (item.definition.empty()) continue;  // a separator
        prepareLaunch(item, launchState.launchRecord);
        launchItem(true);
    }
}
