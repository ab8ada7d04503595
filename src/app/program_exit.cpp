// The end of the run: the settings are saved (only when they may be written and
// something changed), then everything the program holds is released.
#include "app/program_run.h"
#include "launch/icon_cache.h"
#include "launch/launch_state.h"
#include "launcher/category_list.h"
#include "launcher/help_viewer.h"
#include "launcher/launcher_window.h"
#include "launcher/window_modes.h"
#include "platform/centered_message_box.h"
#include "platform/ui_windows.h"
#include "settings/data_folder.h"
#include "settings/general_settings.h"
#include "settings/ini_document.h"
#include "settings/language.h"
#include "store/category_file.h"
#include "store/category_store.h"
#include "store/category_window.h"

namespace {

// The category shown in place of a stored one that is gone, neither left nor
// moved, sized or restyled.
bool onlyFallbackShown() {
    const ProgramRun& run = programRun;
    const CategoryStore& store = categoryStore;
    return !run.startFallback.empty() && store.loadedCategory == run.startFallback &&
           categoryNavigation.visitedCategories.size() <= 1 && store.geometry == run.fallbackGeometry &&
           store.style.fontText == run.fallbackFont && store.style.backgroundColor == run.fallbackBackground;
}

// False when there were changes and they could not be written.
bool writeSettingsFile() {
    if (programFolders.settingsReadOnly) return true;
    const bool fallbackOnly = onlyFallbackShown();
    writeGeneralSettings(settingsDocument, generalSettings, categoryStore.loadedCategory, fallbackOnly);
    if (!fallbackOnly) storeCategoryWindow(categoryStore, settingsDocument);
    return settingsDocument.changes == 0 || save(settingsDocument);
}

}  // namespace

// Also when the session ends or the system suspends: the process may be killed
// after that without warning, and no one would see a message.
void saveSettingsNow() { writeSettingsFile(); }

void exitProgram() {
    if (!writeSettingsFile())
        showCenteredMessageBox(kLauncherWindow, languageText(95) + L"\r\n" + settingsDocument.path, languageText(89),
                               kBoxOk | kBoxIconExclamation);
    generalSettings.SystemTray = 0;
    UpdateTrayIcon();
    clearCategoryItems(categoryStore);
    releaseItemImages(launcherWindow.images);
    releaseIconCache(launchState.icons);
    launcherWindow.programLargeIcon.reset();
    launcherWindow.programSmallIcon.reset();
    closeHelpViewer();
    closeWindow(kLauncherWindow);
}
