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
#include "platform/instance_lock.h"
#include "platform/other_instance.h"
#include "platform/tray_icon.h"
#include "platform/ui_events.h"
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
constexpr unsigned kOwnerWindowWait = 5000;
constexpr unsigned kOwnerLookInterval = 20;

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

// The owner of the data folder as its settings file names its window.
std::wstring ownerWindowTitle() {
    IniDocument settings;
    settings.path = fullPathName(kSettingsFileName);
    load(settings);
    GeneralSettings general;
    readGeneralSettings(settings, general, userLanguageEnglishName());
    return general.ProgTitle;
}

void handOver(void* owner) {
    if (programRun.options.closeRunning)
        postInstanceCommand(owner, kCommandExit);
    else
        restoreInstanceWindow(owner);
}

// A folder has one instance, and it takes the folder's lock before it reads any
// of its files. A start that finds the lock held waits for the owner's window
// (two starts a moment apart: the other may not have made it yet) and hands its
// request over; an owner that ended meanwhile leaves the folder to this one,
// which then reads the files as that one left them. True when this start goes on.
bool becomeFolderInstance() {
    InstanceLock& lock = programRun.instanceLock;
    const uint32_t id = launcherWindow.instanceId;
    if (openInstanceLock(lock, id) && waitForInstanceLock(lock, 0)) return true;
    const std::wstring title = ownerWindowTitle();
    // An owner that takes longer has a question open at its start, and the
    // user answers that one first.
    const unsigned started = tickCount();
    for (;;) {
        if (void* owner = findInstanceWindow(title, id)) {
            handOver(owner);
            return false;
        }
        if (!lock.mutex) return true;  // no lock to be had: the window alone tells
        if (waitForInstanceLock(lock, kOwnerLookInterval)) return true;
        if (tickCount() - started > kOwnerWindowWait) return false;
    }
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

bool settleDataFolder(const std::wstring& commandLine) {
    fillDefaultLanguage(languageTable);
    initProgramFolders(programFolders);
    if (!applyRedirectFile(programFolders, settingsDocument, showMessage)) return false;
    programRun.options = parseCommandLine(commandLine);
    return applyFolderArgument(programFolders, programRun.options.folderArgument, showMessage);
}

bool readSettings() {
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
    if (!settleDataFolder(commandLine)) return false;
    launcherWindow.instanceId = instanceIdOf(programFolders.dataFolder);
    if (!becomeFolderInstance()) return false;
    // "/close" found no instance to end.
    if (programRun.options.closeRunning) return false;
    // Only now is this the one instance on the data folder.
    if (!readSettings()) return false;
    launcherWindow.programTitle = generalSettings.ProgTitle;
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
            // A folder that could not be listed is no empty folder to start a first category in.
            if (categoryNavigation.folderUnreadable) {
                showMessage({languageText(104) + L"\r\n" + programFolders.dataFolder, languageText(89),
                             MessageIcon::Error});
                return false;
            }
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
