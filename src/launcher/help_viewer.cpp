#include "launcher/help_viewer.h"

#include "platform/started_process.h"
#include "settings/data_folder.h"
#include "settings/language.h"

namespace {

struct HelpViewer {
    ProcessHandle process;  // the viewer started last
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
}

void closeHelpViewer() {
    if (processStillRunning(helpViewer.process)) terminateProcess(helpViewer.process);
    helpViewer.process.reset();
}
