// The outer loop: load the category to show, show it and run the launcher's
// loop; open the configuration editor when asked; until the user exits.
#include "app/program_run.h"
#include "editor/configuration_mode.h"
#include "launcher/category_list.h"
#include "launcher/commands.h"
#include "launcher/edge_hide.h"
#include "launcher/launcher_loop.h"
#include "launcher/launcher_window.h"
#include "launcher/window_modes.h"
#include "platform/centered_message_box.h"
#include "platform/files.h"
#include "platform/ui_controls.h"
#include "platform/ui_item_view.h"
#include "platform/ui_windows.h"
#include "settings/data_folder.h"
#include "settings/general_settings.h"
#include "settings/language.h"
#include "store/category_file.h"
#include "store/category_store.h"
#include "store/category_window.h"

namespace {

// A category whose file is there but cannot be read (locked by another
// program, a folder by that name) would otherwise show as an empty one, as if
// its items were gone.
void reportUnreadableCategory(const std::wstring& path) {
    if (path.empty() || fileAttributes(path) == kNoFileAttributes) return;
    showCenteredMessageBox(kLauncherWindow, languageText(13) + L" \"" + path + L"\"", languageText(89),
                           kBoxOk | kBoxIconExclamation);
}

void loadTargetCategory() {
    CategoryNavigation& nav = categoryNavigation;
    if (nav.targetCategory.empty()) return;
    const std::wstring path = categoryFilePathOf(nav.targetCategory);
    if (loadCategory(categoryStore, nav.targetCategory, programDriveLetters())) {
        PushVisited(nav, categoryStore.loadedCategory);
        return;
    }
    reportUnreadableCategory(path);
    nav.targetCategory = StepBackVisited(nav);
    if (!nav.targetCategory.empty()) loadCategory(categoryStore, nav.targetCategory, programDriveLetters());
}

void selectInitialItem(int itemCount) {
    int& initial = programRun.options.initialItem;
    if (initial >= itemCount) return;
    // An item without text has no row: the next one with text is chosen instead.
    const CategoryItems& items = categoryStore.items;
    int position = initial;
    while (position >= 0 && position < itemCount && items[static_cast<size_t>(position)].textLength == 0) ++position;
    if (position < itemCount) initial = position;
    // No row shows a separator in the large-icon view: then none is selected.
    selectItemRow(kLauncherWindow, kLauncherItemView,
                  initial < 0 ? -1 : itemRowOfData(kLauncherWindow, kLauncherItemView, initial));
    categoryStore.selectedItem = initial;
    initial = 0;
}

void showLoadedCategory() {
    // Sizes are kept within the work area of the monitor the window is on. At
    // the start it is not placed yet: a size meant for the largest monitor is
    // kept until the window is placed on its own one.
    const ScreenRect area = categoryStore.firstApplication ? largestWorkArea() : workAreaOf(kLauncherWindow);
    applyCategoryWindow(categoryStore, settingsDocument, generalSettings, area,
                        categoryNavigation.visitedCategories.size());
    ApplyCategoryLook();
    launcherWindow.layoutSuspended = false;
    PlaceLauncherWindow();
    // At start and after the editor the window comes up in front, like any
    // program's main window; programs started meanwhile must not keep it behind.
    const bool cameUp = !windowVisible(kLauncherWindow);
    showWindow(kLauncherWindow, WindowShow::Show);
    if (cameUp) bringWindowToFront(kLauncherWindow);
    selectInitialItem(FillItemView(ItemViewForm::Launcher, kLauncherWindow, kLauncherItemView));
    if (generalSettings.SystemTray) setTrayTipFor(categoryStore.loadedCategory);
    if (windowMinimized(kLauncherWindow) || windowMaximized(kLauncherWindow))
        showWindow(kLauncherWindow, WindowShow::Restore);
    if (generalSettings.AutoEdgeHide && !WindowOffWorkArea()) ShowFromEdge();
    if (programRun.options.hideAtStart) {
        if (!HideAtEdge()) minimizeLauncherWindow();
        programRun.options.hideAtStart = false;
    }
}

void noteFallbackAsShown() {
    ProgramRun& run = programRun;
    if (run.fallbackShown || run.startFallback != categoryStore.loadedCategory) return;
    run.fallbackShown = true;
    run.fallbackGeometry = categoryStore.geometry;
    run.fallbackFont = categoryStore.style.fontText;
    run.fallbackBackground = categoryStore.style.backgroundColor;
}

void runEditorWhenAsked() {
    if (programRun.loopRequest != kLoopConfiguration || programFolders.settingsReadOnly) return;
    showWindow(kLauncherWindow, WindowShow::Hide);
    if (!RunConfigurationMode()) {
        programRun.loopRequest = kLoopExit;
        return;
    }
    showWindow(kLauncherWindow, WindowShow::Show);
    const std::wstring& loaded = categoryStore.loadedCategory;
    if (loaded.empty() || loaded == categoryNavigation.startupCategory)
        categoryNavigation.targetCategory = DropVisited(categoryNavigation);
}

}  // namespace

void runOuterLoop() {
    int& request = programRun.loopRequest;
    while (request != kLoopExit) {
        runEditorWhenAsked();
        if (request == kLoopExit) break;
        loadTargetCategory();
        request = kLoopKeepRunning;
        if (!categoryStore.loadedCategory.empty()) {
            showLoadedCategory();
            noteFallbackAsShown();
            request = RunLauncherLoop();
            continue;
        }
        categoryNavigation.categorySetChanged = true;
        RebuildCategoryList(categoryNavigation, programFolders.dataFolder, languageText(21));
        if (categoryNavigation.categoryList.empty())
            request = kLoopExit;
        else
            categoryNavigation.targetCategory = categoryNavigation.categoryList.front();
    }
}
