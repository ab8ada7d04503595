#pragma once
// The shortcut "Kivo.lnk" in the user's Startup folder that starts Kivo at
// logon, with "/hide" to start it in the tray.
#include <string>

#include "platform/shell_links.h"

struct StartupShortcut {
    std::wstring file;  // empty when the system names no Startup folder
    ShellLinkInfo link;  // the program, no arguments, the data folder
};

extern StartupShortcut startupShortcut;

void prepareStartupShortcut(StartupShortcut& shortcut, const std::wstring& programPath, const std::wstring& dataFolder);

// What the Startup folder holds: no shortcut (0), ours (2, 3 when it starts
// hidden), or one that another program put there under the same name.
constexpr int kShortcutNone = 0;
constexpr int kShortcutOwn = 2;
constexpr int kShortcutHidden = 1;
struct ShortcutFound {
    int state = kShortcutNone;
    bool foreign = false;
};
// Ours only when it starts this program file on this data folder; a file that
// cannot be read counts as another program's and is left alone.
ShortcutFound findStartupShortcut(const StartupShortcut& shortcut);

// Makes the Startup folder hold `wanted` (0, 2 or 3) where `found` was there.
// False when the shortcut could not be written or deleted.
bool changeStartupShortcut(StartupShortcut& shortcut, int found, int wanted);
