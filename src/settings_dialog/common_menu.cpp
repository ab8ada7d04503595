#include "settings_dialog/common_menu.h"

#include "launch/launch_state.h"
#include "launcher/about_window.h"
#include "launcher/commands.h"
#include "launcher/help_viewer.h"
#include "launcher/launcher_window.h"
#include "platform/common_dialogs.h"
#include "platform/shell.h"
#include "platform/ui_windows.h"
#include "settings/data_folder.h"
#include "settings/general_settings.h"
#include "settings_dialog/color_list.h"
#include "settings_dialog/settings_dialog.h"
#include "store/category_store.h"
#include "store/category_window.h"
#include "store/text_values.h"

namespace {

void openFolder(const std::wstring& folder) {
    launchState.services.runShell(
        ShellRequest{launchState.ownerWindowId, L"open", folder, L"", L"", kShowNormal});
}

void chooseCategoryFont() {
    CategoryStyle& style = categoryStore.style;
    FontChoice choice{style.faceName, style.pointSize, style.styleFlags, style.textColor};
    if (!chooseFont(launchState.ownerWindowId, choice)) return;
    style.fontText = formatFontText(FontText{choice.face, choice.pointSize, choice.styleFlags, choice.color});
    applyFont(style);
    ApplyCategoryLook();
}

void chooseCategoryBackground() {
    const int64_t chosen = chooseColorWithList(launchState.ownerWindowId, categoryStore.style.backgroundColor);
    if (chosen < 0) return;
    // Black would read back as "no colour of its own".
    categoryStore.style.backgroundColor = chosen == 0 ? 1u : static_cast<uint32_t>(chosen);
    ApplyCategoryLook();
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
        case kCommandFont: chooseCategoryFont(); return true;
        case kCommandBackground: chooseCategoryBackground(); return true;
        case kCommandAbout: ShowAboutWindow(); return true;
        case kCommandHelp: OpenHelp(); return true;
        case kCommandGeneralSettings: ShowGeneralSettings(); return true;
        default:
            return false;
    }
}
