#include "settings_dialog/startup_shortcut.h"

#include "platform/files.h"
#include "platform/text_case.h"

StartupShortcut startupShortcut;

namespace {

constexpr const wchar_t* kHideArgument = L"/hide";

// Both with or both without the trailing backslash.
std::wstring withoutTrailingBackslash(std::wstring folder) {
    while (folder.size() > 3 && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
    return folder;
}

}  // namespace

void prepareStartupShortcut(StartupShortcut& shortcut, const std::wstring& programPath, const std::wstring& dataFolder) {
    const std::wstring folder = startupFolder();
    shortcut.file = folder.empty() ? std::wstring() : folder + L"\\Kivo.lnk";
    shortcut.link = ShellLinkInfo{};
    shortcut.link.path = programPath;
    shortcut.link.workingDirectory = dataFolder;
}

ShortcutFound findStartupShortcut(const StartupShortcut& shortcut) {
    ShortcutFound found;
    if (shortcut.file.empty() || !fileExists(shortcut.file)) return found;
    ShellLinkInfo link;
    const bool ours = resolveShellLink(shortcut.file, link) && sameTextIgnoringCase(link.path, shortcut.link.path) &&
                      sameTextIgnoringCase(withoutTrailingBackslash(link.workingDirectory),
                                           withoutTrailingBackslash(shortcut.link.workingDirectory));
    if (!ours) {
        found.foreign = true;
        return found;
    }
    found.state = kShortcutOwn | (link.arguments == kHideArgument ? kShortcutHidden : 0);
    return found;
}

bool changeStartupShortcut(StartupShortcut& shortcut, int found, int wanted) {
    if (wanted == found) return true;
    if (shortcut.file.empty()) return false;
    if ((found & kShortcutOwn) && !deleteFile(shortcut.file)) return false;
    if (wanted == kShortcutNone) return true;
    shortcut.link.arguments = (wanted & kShortcutHidden) ? kHideArgument : L"";
    createShellLink(shortcut.link, shortcut.file);
    ShellLinkInfo written;
    return resolveShellLink(shortcut.file, written) && written.arguments == shortcut.link.arguments;
}
