#pragma once
// What launching keeps between calls, and the system services it calls, which
// tests replace to see exactly what would be started.
#include <string>
#include <vector>

#include "launch/icon_cache.h"
#include "launch/item_fields.h"
#include "platform/popup_menus.h"
#include "platform/shell.h"
#include "platform/shell_links.h"
#include "platform/ui_windows.h"

struct LaunchServices {
    int (*runShell)(const ShellRequest& request);
    bool (*isKeyHeld)(int virtualKey);
    int (*messageBox)(int ownerWindowId, const std::wstring& text, const std::wstring& title, unsigned flags);
    void (*beepSound)();
    bool (*popupMenu)(int menuId, int windowId, ScreenPoint at);
};

LaunchServices systemLaunchServices();

// Popup menu mode of the launcher and the editor: which list the menu entries
// from kFirstMenuEntry on belong to.
constexpr int kMenuModeCategoryEntries = 1;
constexpr int kMenuModeFileMenu = 2;
constexpr int kMenuModeAddToCategory = 3;  // Find's rows filed into a category
constexpr int kFirstMenuEntry = 93;
constexpr int kFileMenuId = 0;

struct LaunchState {
    ItemFields launchRecord;  // refilled before every launch and icon lookup
    int ownerWindowId = kLauncherWindow;  // or the editor while it is open
    int itemListControl = kLauncherItemView;  // the owner's item list, where file menus appear
    bool editorOpen = false;  // failures then only beep
    std::vector<std::wstring> fileList;  // names of the last file menu, sorted
    int popupMenuMode = 0;
    ShellLinkInfo shellLink;  // the shortcut resolved last
    IconCache icons;          // of the category shown
    // How long a start-up launch may wait for its program to take input: what
    // is left of the start-up items' shared allowance, in milliseconds.
    unsigned startupReadyWait = 0;
    LaunchServices services = systemLaunchServices();
};

extern LaunchState launchState;
