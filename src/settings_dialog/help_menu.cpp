#include "settings_dialog/help_menu.h"

#include "launcher/commands.h"
#include "platform/popup_menus.h"
#include "platform/text_case.h"
#include "settings/data_folder.h"
#include "settings/language.h"

void buildHelpMenu() {
    resetPopupMenu(kHelpMenu);
    appendMenuEntry(kHelpMenu, kCommandHelp, languageText(1));
    appendMenuEntry(kHelpMenu, kCommandAbout, languageText(51));
    resetPopupMenu(kProgramFolderMenu);
    appendMenuEntry(kProgramFolderMenu, kCommandProgramFolder, programFolders.programFolder);
    appendSubMenu(kHelpMenu, kProgramFolderMenu, languageText(52));
    resetPopupMenu(kDataFolderMenu);
    const bool same = sameTextIgnoringCase(programFolders.dataFolder, programFolders.programFolder);
    appendMenuEntry(kDataFolderMenu, kCommandDataFolder,
                    same ? L"= " + languageText(52) : programFolders.dataFolder);
    appendSubMenu(kHelpMenu, kDataFolderMenu, languageText(53));
}
