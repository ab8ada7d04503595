// Start-up, in its fixed order: every step runs only when the ones before did
// not end the program.
#include "app/instance_id.h"
#include "app/program_run.h"
#include "app/startup_items.h"
#include "launch/item_icons.h"
#include "editor/editor_window.h"
#include "launcher/category_list.h"
#include "launcher/commands.h"
#include "launcher/launcher_loop.h"
#include "launcher/launcher_menus.h"
#include "launcher/launcher_window.h"
#include "launcher/window_modes.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/icons.h"
#include "platform/other_instance.h"
#include "platform/tray_icon.h"
#include "platform/ui_controls.h"
#include "platform/ui_windows.h"
#include "settings/data_folder.h"
#include "settings/general_settings.h"
#include "settings/ini_document.h"
#include "settings/language.h"
#include "settings/stale_saves.h"
#include "settings_dialog/help_menu.h"
#include "settings_dialog/startup_shortcut.h"
#include "store/category_file.h"
#include "store/category_store.h"
#include "store/category_window.h"

ProgramRun programRun;

void saveSettingsNow();

namespace {

constexpr int kHotkeyEnabled = 0x8000;

std::wstring storedStartCategory() {
    return generalSettings.CatSelect.empty() ? generalSettings.MRU : generalSettings.CatSelect;
}

// A file that is there but cannot be read is still the one asked for: loading
// it says so, rather than showing another category without a word.
std::wstring startCategory() {
    const std::wstring name = storedStartCategory();
    return isCategoryName(name) && fileAttributes(categoryFilePathOf(name)) != kNoFileAttributes ? name
                                                                                                : std::wstring();
}

// True when another instance on this data folder answered (or "/close" found
// none): this one then ends.
bool handledByOtherInstance() {
    void* other = findInstanceWindow(launcherWindow.programTitle, launcherWindow.instanceId);
    if (other) {
        if (programRun.options.closeRunning)
            postInstanceCommand(other, kCommandExit);
        else
            restoreInstanceWindow(other);
        return true;
    }
    return programRun.options.closeRunning;
}

void loadProgramIcons() {
    LauncherWindow& w = launcherWindow;
    // The caption, the task bar and the tray draw them at the system's sizes.
    const int large = iconPixels(IconSize::Large, systemDpi());
    const int small = iconPixels(IconSize::Small, systemDpi());
    if (!generalSettings.ProgIcon.empty()) {
        w.programLargeIcon.reset(extractIconFromSource(generalSettings.ProgIcon, large));
        w.programSmallIcon.reset(extractIconFromSource(generalSettings.ProgIcon, small));
    }
    if (!w.programLargeIcon) w.programLargeIcon.reset(extractFileIcon(programFolders.programPath, 0, large));
    if (!w.programSmallIcon) w.programSmallIcon.reset(extractFileIcon(programFolders.programPath, 0, small));
}

void onLauncherSized(SizeKind kind) {
    if (kind == SizeKind::Minimized) {
        if (trayIconShown(kLauncherWindow, kTrayIconId)) showWindow(kLauncherWindow, WindowShow::Hide);
        launcherLoop.edge.mouseOver = 0;
    }
    LayoutLauncherWindow();
}

bool readSettingsAndFolders(const std::wstring& commandLine) {
    fillDefaultLanguage(languageTable);
    initProgramFolders(programFolders);
    if (!applyRedirectFile(programFolders, settingsDocument, showMessage)) return false;
    programRun.options = parseCommandLine(commandLine);
    if (!applyFolderArgument(programFolders, programRun.options.folderArgument, showMessage)) return false;
    openSettingsFile(programFolders, settingsDocument);
    readGeneralSettings(settingsDocument, generalSettings, userLanguageEnglishName());
    loadLanguage(languageTable, programFolders.programFolder, generalSettings.Language, userLanguageNativeName());
    return checkProgramDrive(programFolders, settingsDocument, generalSettings,
                            inspectDrive(programFolders.programPath.substr(0, 3)), showMessage);
}

bool openLauncherWindow() {
    if (!CreateLauncherWindow()) return false;
    bindSessionEndHandler(kLauncherWindow, saveSettingsNow);
    UpdateTrayIcon();
    generalSettings.Hotkey = convertLegacyHotkey(generalSettings.Hotkey);
    if (generalSettings.Hotkey & kHotkeyEnabled) RegisterLauncherHotkey(static_cast<uint32_t>(generalSettings.Hotkey));
    ApplyWindowStyle(kStyleFrame);
    RebuildCategoryList(categoryNavigation, programFolders.dataFolder, languageText(21));
    startTimer(kLauncherWindow, kLauncherTimer, 250);
    bindSizeHandler(kLauncherWindow, onLauncherSized);
    launcherWindow.layoutSuspended = true;
    setWindowTopmost(kLauncherWindow, generalSettings.Stayontop != 0);
    return true;
}

}  // namespace

bool startProgram(const std::wstring& commandLine) {
    initUserInterface();
    createProgramFonts(launcherWindow);
    if (!readSettingsAndFolders(commandLine)) return false;
    launcherWindow.programTitle = generalSettings.ProgTitle;
    launcherWindow.instanceId = instanceIdOf(programFolders.dataFolder);
    if (handledByOtherInstance()) return false;
    // Only now is this the one instance on the data folder.
    if (!programFolders.writeProtected) removeStaleSaves(programFolders.dataFolder);
    loadProgramIcons();
    buildLauncherContextMenu();
    buildEditorContextMenu();
    buildHelpMenu();
    prepareStartupShortcut(startupShortcut, programFolders.programPath, programFolders.dataFolder);
    if (!openLauncherWindow()) return false;

    launchStartupItems(programRun.options, programDriveLetters());
    std::wstring& target = categoryNavigation.targetCategory;
    target = startCategory();
    if (!isCategoryName(target)) {
        if (categoryNavigation.categoryList.empty()) {
            if (programFolders.settingsReadOnly) return false;
            target = languageText(20);
            programRun.loopRequest = kLoopConfiguration;
        } else {
            target = categoryNavigation.categoryList.front();
            if (!storedStartCategory().empty()) programRun.startFallback = target;
        }
    }
    return true;
}
