#include "launch/launch_item.h"

#include "launcher/category_list.h"
#include "platform/centered_message_box.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/text_case.h"
#include "settings/general_settings.h"
#include "settings/language.h"
#include "store/category_file.h"
#include "store/text_lines.h"

namespace {

bool hasBackslash(const std::wstring& text) { return text.find(L'\\') != std::wstring::npos; }


// A category file that exists and is not empty.
bool usableCategoryFile(const std::wstring& name) {
    uint64_t size = 0;
    return fileSize(categoryFilePathOf(name), size) && size > 0;
}

// Fills in file, parameters and directory of an item that goes to the shell.
void planShellCall(const ItemFields& item, ShellRequest& request) {
    request.file = item.command;
    request.parameters = item.parameters;
    request.directory = item.directory;
    const bool isFolder = namesFolder(item.command);
    const std::wstring folder = quotedPath(isFolder ? item.command : item.directory);
    if (toLowerCase(filePartOf(item.command)) == L"explorer.exe") {
        request.parameters += L" " + folder;
        request.directory.clear();
    } else if (isFolder) {
        request.file = generalSettings.FileMgrCom;
        request.parameters = generalSettings.FileMgrParm + L" " + folder;
        request.directory.clear();
    } else if (extensionOf(item.command) == L"lnk") {
        request.directory.clear();
    } else if (hasBackslash(item.command)) {
        request.file = toFullPath(item.command);
        if (request.directory.empty()) request.directory = request.file.substr(0, request.file.rfind(L'\\') + 1);
    }
}

void chooseVerbAndShow(const ItemFields& item, bool startup, ShellRequest& request) {
    request.verb.clear();
    request.showCommand = kShowNormal;
    if (item.showMode == kShowModeMin) request.showCommand = kShowMinimized;
    if (item.showMode == kShowModeMax) request.showCommand = kShowMaximized;
    if (item.showMode == kShowModeAdmin) request.verb = L"runAS";
    const LaunchServices& services = launchState.services;
    if (!startup && services.isKeyHeld(kKeyControl) && services.isKeyHeld(kKeyShift)) request.verb = L"runAS";
    // The launcher comes up after the start-up items and in front of them; a
    // program whose window came later would keep the keyboard, even minimised.
    if (startup) request.readyWait = launchState.startupReadyWait;
}

// A path of a start that failed which the shell may have refused for its length
// alone: it takes no long form. Empty when there is none.
std::wstring tooLongPath(const ShellRequest& request) {
    for (const std::wstring* path : {&request.file, &request.directory})
        if (path->size() + 1 > kPlainPathLimit) return *path;
    // A file named without a folder (no address either) is looked for in the
    // current directory, which the data folder could not become.
    if (!request.file.empty() && request.file.find_first_of(L"\\/:") == std::wstring::npos)
        return folderInPlaceOfCurrent();
    return std::wstring();
}

int reportFailure(const ItemFields& item, const std::wstring& tooLong) {
    if (launchState.editorOpen) {
        launchState.services.beepSound();
        return kLaunchNothing;
    }
    std::wstring text = languageText(13) + L" \"" + item.text + L"\"\r";
    if (!tooLong.empty()) text += languageText(105) + L"\r" + tooLong + L"\r";
    text += languageText(14);
    const int answer = launchState.services.messageBox(launchState.ownerWindowId, text, languageText(89), kBoxYesNo);
    return answer == kAnswerYes ? kLaunchEnterEditor : kLaunchNothing;
}

}  // namespace

std::wstring filePartOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    std::wstring file = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const size_t quote = file.find(L'"');
    if (quote != std::wstring::npos) file.erase(quote);
    return file;
}

std::wstring extensionOf(const std::wstring& path) {
    const std::wstring file = filePartOf(path);
    const size_t dot = file.rfind(L'.');
    return dot == std::wstring::npos ? std::wstring() : toLowerCase(file.substr(dot + 1));
}

std::wstring withoutExtension(const std::wstring& name) {
    const size_t dot = name.rfind(L'.');
    if (dot == std::wstring::npos || dot == 0 || dot + 1 == name.size()) return name;
    if (name.find(L' ', dot) != std::wstring::npos) return name;
    return name.substr(0, dot);
}

std::wstring quotedPath(const std::wstring& path) {
    if (path.empty() || path.front() == L'"') return path;
    // A backslash right before the closing quote would escape it for programs
    // that read their command line the usual way ("C:\dir\" arrives as C:\dir").
    // A folder does without its last one; a root keeps it, doubled.
    std::wstring inner = path;
    const bool root = (inner.size() == 3 && inner[1] == L':') || inner.find_first_not_of(L'\\') == std::wstring::npos;
    if (!root)
        while (inner.size() > 1 && inner.back() == L'\\') inner.pop_back();
    const size_t kept = inner.find_last_not_of(L'\\');
    inner.append(inner.size() - (kept == std::wstring::npos ? 0 : kept + 1), L'\\');
    return L"\"" + inner + L"\"";
}

bool namesFolder(const std::wstring& path) {
    if (path.size() == 2 && path[1] == L':') return folderExists(path + L"\\");
    return !path.empty() && folderExists(path);
}

int launchItem(bool startup) {
    const ItemFields& item = launchState.launchRecord;
    if (item.command.empty()) return kLaunchNothing;
    if (startup && (static_cast<int>(item.kind) & kSkippedAtStartup) != 0) return kLaunchNothing;

    int result = kLaunchNothing;
    std::wstring tooLong;
    if (item.kind == ItemKind::CategorySwitch) {
        std::wstring name(trimSpaces(item.parameters));
        std::erase(name, L'"');
        if (isCategoryName(name) && usableCategoryFile(name)) {
            categoryNavigation.targetCategory = name;
            result = kLaunchCategorySwitch;
        }
    } else if (item.kind == ItemKind::FileMenu) {
        showFileMenu();
        return kLaunchNothing;
    } else {
        ShellRequest request;
        request.ownerWindowId = launchState.ownerWindowId;
        planShellCall(item, request);
        chooseVerbAndShow(item, startup, request);
        if (launchState.services.runShell(request) > 32)
            result = kLaunchStarted;
        else
            tooLong = tooLongPath(request);
    }
    if (result == kLaunchNothing) result = reportFailure(item, tooLong);
    return result;
}
