#pragma once
// Shortcut (".lnk") files, read and written through the shell's link object.
#include <string>

struct ShellLinkInfo {
    std::wstring path;  // the target
    std::wstring arguments;
    std::wstring workingDirectory;
};

// Reads target, arguments and working directory of the shortcut without ever
// showing a dialog. True when a target path was read; `link` is cleared first.
bool resolveShellLink(const std::wstring& linkFile, ShellLinkInfo& link);

// Writes the shortcut, showing the target's first icon. Failures are silent: a
// caller that cares reads the shortcut back.
void createShellLink(const ShellLinkInfo& link, const std::wstring& linkFile);

// The user's Startup folder, whose shortcuts Windows starts at logon; empty
// when the system names none.
std::wstring startupFolder();
