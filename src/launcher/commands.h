#pragma once
// The command numbers shared by menus, keyboard shortcuts and clicks of all the
// program's windows; numbers from kFirstMenuEntry on are entries of the category
// menu or of a file menu.

constexpr int kCommandCategoryMenu = 2;
constexpr int kCommandPreviousCategory = 3;
constexpr int kCommandNextCategory = 4;
constexpr int kCommandCloseGlyph = 5;
constexpr int kCommandLeaveFind = 71;
constexpr int kCommandFind = 86;
constexpr int kCommandToggleWindow = 63;
constexpr int kCommandNothingFurther = 64;
constexpr int kCommandExit = 65;
constexpr int kCommandStayOnTop = 66;
constexpr int kCommandConfiguration = 67;
constexpr int kCommandGeneralSettings = 68;
constexpr int kCommandNewCategory = 69;
constexpr int kCommandLargeIcons = 70;
constexpr int kCommandMinimize = 72;
constexpr int kCommandFont = 73;
constexpr int kCommandForgetFind = 74;
constexpr int kCommandBackground = 75;
constexpr int kCommandAbout = 76;
constexpr int kCommandHelp = 77;
constexpr int kCommandDataFolder = 78;
constexpr int kCommandProgramFolder = 79;
constexpr int kCommandContextMenu = 87;
constexpr int kCommandLaunch = 88;
constexpr int kCommandCloseRequest = 89;
constexpr int kCommandTitleBar = 91;
constexpr int kCommandTransparency = 92;

// What ends one run of the launcher's event loop.
constexpr int kLoopKeepRunning = 0;
constexpr int kLoopExit = 1;
constexpr int kLoopShowCategory = 2;
constexpr int kLoopConfiguration = 4;

// Popup menus built by number.
constexpr int kNumberedMenu = 0;  // category, file and tray menus, made anew each time
constexpr int kLauncherContextMenu = 3;
constexpr int kEditorContextMenu = 4;
constexpr int kHelpMenu = 5;
constexpr int kTrayCategoryMenu = 6;
constexpr int kProgramFolderMenu = 1;  // sub-menus of the help menu
constexpr int kDataFolderMenu = 2;

constexpr int kLauncherTimer = 7777;
constexpr int kLauncherHotkey = 777;
constexpr int kTrayIconId = 0;
