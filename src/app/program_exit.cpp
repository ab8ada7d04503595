// The end of the run: the settings are saved (only when they may be written and
// something changed), then everything the program holds is released.
#include "app/program_run.h"
#include "launcher/launcher_window.h"
#include "launcher/window_modes.h"
#include "platform/ui_windows.h"
#include "settings/data_folder.h"
#include "settings/general_settings.h"
#include "settings/ini_document.h"
#include "store/category_file.h"
#include "store/category_store.h"
#include "store/category_window.h"

// Also when the session ends or the system suspends: the process may be killed
// after that without warning.
void saveSettingsNow() {
    if (programFolders.settingsReadOnly) return;
    writeGeneralSettings(settingsDocument, generalSettings, categoryStore.loadedCategory);
    storeCategoryWindow(categoryStore, settingsDocument);
    save(settingsDocument);
}

void exitProgram() {
    saveSettingsNow();
    generalSettings.SystemTray = 0;
    UpdateTrayIcon();
    clearCategoryItems(categoryStore);
    launcherWindow.programLargeIcon.reset();
    launcherWindow.programSmallIcon.reset();
    closeWindow(kLauncherWindow);
}
