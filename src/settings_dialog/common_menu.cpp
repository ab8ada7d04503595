#include "settings_dialog/common_menu.h"

#include "launch/launch_state.h"
#include "launcher/commands.h"
#include "platform/shell.h"
#include "platform/ui_windows.h"
#include "settings/data_folder.h"
#include "settings/general_settings.h"
#include "store/category_store.h"

namespace {

void openFolder(const std::wstring& folder) {
    launchState.services.runShell(
        ShellRequest{launchState.ownerWindowId, L"open", folder, L"", L"", kShowNormal});
}

}  // namespace

bool handleCommonMenu(int command) {
    switch (command) {
        case kCommandStayOnTop:
            generalSettings.Stayontop = generalSettings.Stayontop ? 0 : 1;
            setWindowTopmost(kLauncherWindow, generalSettings.Stayontop != 0);
            return true;
        case kCommandLargeIcons:
            categoryStore.geometry.largeIcons = categoryStore.geometry.largeIcons ? 0 : 1;
            return true;
        case kCommandDataFolder:
            openFolder(programFolders.dataFolder);
            return true;
        case kCommandProgramFolder:
            openFolder(programFolders.programFolder);
            return true;
        case kCommandGeneralSettings:
        case kCommandFont:
        case kCommandBackground:
        case kCommandAbout:
        case kCommandHelp:
            // Their dialogs and the help file are not part of the program yet.
            return true;
        default:
            return false;
    }
}
