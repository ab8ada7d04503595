#include "app/startup_items.h"

#include "launch/launch_item.h"
#include "launcher/category_list.h"
#include "platform/ui_events.h"
#include "store/category_window.h"

namespace {

constexpr unsigned kStartupReadyAllowance = 2000;  // milliseconds

}  // namespace

void launchStartupItems(const StartOptions& options, const DriveLetters& drives) {
    if (categoryNavigation.startupCategory.empty() || options.skipStartupItems) return;
    if (launchState.services.isKeyHeld(kKeyControl)) return;
    std::wstring name = categoryNavigation.startupCategory;
    if (!loadCategory(categoryStore, name, drives)) return;
    // The launcher must come up after the start-up programs (or one of them
    // keeps the keyboard), but a slow one must not hold it back for long: all of
    // them share one allowance.
    const unsigned deadline = tickCount() + kStartupReadyAllowance;
    for (const CategoryItem& item : categoryStore.items) {
        if (itemDefinition(item).empty()) continue;  // a separator
        const int left = static_cast<int>(deadline - tickCount());
        launchState.startupReadyWait = left > 0 ? static_cast<unsigned>(left) : 0;
        prepareLaunch(item, launchState.launchRecord);
        launchItem(true);
    }
    launchState.startupReadyWait = 0;
}
