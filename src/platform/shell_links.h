#pragma once
// Shortcut (".lnk") files, read and written through the shell's link object.
#include <string>
#include <vector>

struct ShellLinkInfo {
    std::wstring path;  // the target
    std::wstring arguments;
    std::wstring workingDirectory;
    std::wstring iconFile;  // empty: the target's own icon
    int iconIndex = 0;
    int showCommand = 1;  // as ShowWindow takes it: 1 normal, 3 maximised, 7 minimised
};

// Reads target, arguments and working directory of the shortcut without ever
// showing a dialog. True when a target path was read; `link` is cleared first.
bool resolveShellLink(const std::wstring& linkFile, ShellLinkInfo& link);

// Writes the shortcut, showing the target's first icon. Failures are silent: a
// caller that cares reads the shortcut back.
void createShellLink(const ShellLinkInfo& link, const std::wstring& linkFile);

// No real shortcut comes near this size; a file beyond it is something else.
constexpr long long kLargestShortcutFile = 256 * 1024;

// The targets and icon settings of many shortcuts as they are stored (an icon
// file's variables not expanded), read without looking for a moved target or at
// the target itself: one a shortcut, empty where it cannot be read or the file
// is larger than any shortcut. Their other fields stay as a ShellLinkInfo starts.
std::vector<ShellLinkInfo> shellLinkTargets(const std::vector<std::wstring>& linkFiles);

// Where the shortcuts of the programs on the computer lie: the user's and all
// users' Start menu programs, the user's and the public desktop, in that order,
// those the system names.
enum class ShortcutPlace { StartMenu, Desktop };
struct ShortcutFolder {
    std::wstring path;
    ShortcutPlace place;
};
std::vector<ShortcutFolder> programShortcutFolders();

// The user's Startup folder, whose shortcuts Windows starts at logon; empty
// when the system names none.
std::wstring startupFolder();
