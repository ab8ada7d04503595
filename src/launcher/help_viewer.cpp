#include "launcher/help_viewer.h"

#include "platform/foreign_window.h"
#include "platform/started_process.h"
#include "platform/ui_windows.h"
#include "settings/data_folder.h"
#include "settings/language.h"

namespace {

struct HelpViewer {
    ProcessHandle process;  // the viewer started last
    WorkThread placing;     // puts its window on the launcher's screen
};
HelpViewer helpViewer;

}  // namespace

std::wstring helpFileFor(const std::wstring& language) {
    return language.substr(0, kMaxLanguageNameChars) == L"Deutsch" ? L"Kivo-de.chm" : L"Kivo-en.chm";
}

void OpenHelp() {
    const std::wstring file = helpFileFor(languageTable.name);
    if (programFolders.settingsReadOnly) return;
    closeHelpViewer();
    helpViewer.process = openDocument(programFolders.programFolder + file, programFolders.programFolder);
    // The help file names a place for the viewer that may lie off a small or
    // second screen.
    keepFirstWindowNear(helpViewer.placing, helpViewer.process, kLauncherWindow);
}

void closeHelpViewer() {
    if (processStillRunning(helpViewer.process)) terminateProcess(helpViewer.process);
    helpViewer.process.reset();
}
