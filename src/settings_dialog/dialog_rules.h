#pragma once
// The rules of the settings dialog that do not need its window: which boxes
// may be used together, and where the dialog opens.
#include "platform/popup_menus.h"
#include "platform/ui_windows.h"

// The state of the check boxes the rules look at.
struct SettingsChecks {
    bool varDrive = false;
    bool startup = false;
    bool hidden = false;
    bool keepCorner = false;
    bool centered = false;
    bool hotkey = false;
    bool tray = false;
    bool toolWindow = false;
    bool autoHide = false;
    bool foreignShortcut = false;  // another program's Kivo.lnk: never ours to change
};

struct SettingsEnables {
    bool startup = true;
    bool hidden = true;
    bool centered = true;
    bool hotkeyField = true;
    bool toolWindow = true;
    bool autoHide = true;
    bool slideSpeed = true;  // when false the speed goes back to 0
};

// What may be used; a box that may not is unchecked too. Tool window mode
// needs the tray icon (the window has no taskbar button), and hiding at the
// edge needs a tool window.
SettingsEnables applyEnableRules(SettingsChecks& checks);

constexpr int kSettingsInnerWidth = 420;
constexpr int kSettingsInnerHeight = 649;

// The launcher's corner, moved into the work area so that the dialog is seen:
// pulled in from the right and bottom edges, and from beyond the left and top.
// A left edge more than the dialog's width beyond the right edge stays (the
// launcher is then on another monitor).
ScreenPoint settingsDialogPosition(int launcherLeft, int launcherTop, const ScreenRect& area);
