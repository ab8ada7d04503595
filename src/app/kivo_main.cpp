// Program start: data folder, settings, language and drive checks, then the
// start category. Until the launcher window exists, what was found is shown in
// a status box; the settings are written back when it is closed.
#include <string>

#include "app/command_line.h"
#include "app/startup_items.h"
#include "app/status_report.h"
#include "launcher/category_list.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/ui_windows.h"
#include "settings/data_folder.h"
#include "settings/general_settings.h"
#include "settings/ini_document.h"
#include "settings/language.h"
#include "store/category_window.h"

namespace {

DriveLetters driveLetters() {
    return DriveLetters{generalSettings.VarDrive != 0, programFolders.programDrive, programFolders.windowsDrive,
                        programFolders.homeDrive};
}

// Settings file first; a missing one is created empty so that it can be written
// at exit (a failure here only makes the settings read-only).
void openSettingsFile() {
    settingsDocument.path = fullPathName(kSettingsFileName);
    if (!load(settingsDocument) && !fileExists(settingsDocument.path)) replaceFileContent(settingsDocument.path, "");
}

std::wstring startCategory() {
    std::wstring name = generalSettings.CatSelect.empty() ? generalSettings.MRU : generalSettings.CatSelect;
    return !name.empty() && fileExists(programFolders.dataFolder + name + L".kvl") ? name : std::wstring();
}

// A name that can be a file name of the data folder.
bool isValidCategoryName(const std::wstring& name) {
    if (name.empty()) return false;
    for (wchar_t c : name)
        if (c < 32 || std::wstring(L"\"*/:<>?\\|").find(c) != std::wstring::npos) return false;
    return true;
}

void showCategory(std::wstring target) {
    if (loadCategory(categoryStore, target, driveLetters())) {
        PushVisited(categoryNavigation, categoryStore.loadedCategory);
    } else {
        std::wstring fallback = StepBackVisited(categoryNavigation);
        if (!fallback.empty()) loadCategory(categoryStore, fallback, driveLetters());
    }
    applyCategoryWindow(categoryStore, settingsDocument, generalSettings, desktopWorkArea().right,
                        categoryNavigation.visitedCategories.size());
}

void saveSettingsAtExit() {
    if (programFolders.settingsReadOnly) return;
    writeGeneralSettings(settingsDocument, generalSettings, categoryStore.loadedCategory);
    storeCategoryWindow(categoryStore, settingsDocument);
    save(settingsDocument);
}

}  // namespace

int kivoMain(const std::wstring& commandLine) {
    fillDefaultLanguage(languageTable);
    initProgramFolders(programFolders);
    if (!applyRedirectFile(programFolders, settingsDocument, showMessage)) return 0;
    const StartOptions options = parseCommandLine(commandLine);
    if (!applyFolderArgument(programFolders, options.folderArgument, showMessage)) return 0;

    openSettingsFile();
    readGeneralSettings(settingsDocument, generalSettings, userLanguageEnglishName());
    const std::wstring languageFile =
        loadLanguage(languageTable, programFolders.programFolder, generalSettings.Language, userLanguageNativeName());
    if (!checkProgramDrive(programFolders, settingsDocument, generalSettings,
                           inspectDrive(programFolders.programPath.substr(0, 3)), showMessage))
        return 0;

    RebuildCategoryList(categoryNavigation, programFolders.dataFolder, languageText(21));
    launchStartupItems(options, driveLetters());
    std::wstring target = startCategory();
    if (!isValidCategoryName(target))
        target = categoryNavigation.categoryList.empty() ? std::wstring() : categoryNavigation.categoryList.front();
    if (target.empty() && programFolders.settingsReadOnly) return 0;
    if (!target.empty()) showCategory(target);

    showMessage({statusReport(programFolders, generalSettings, categoryNavigation, categoryStore, languageFile),
                 generalSettings.ProgTitle, MessageIcon::Information});
    saveSettingsAtExit();
    return 0;
}
