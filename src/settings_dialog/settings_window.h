#pragma once
// Window 2, the general settings dialog: its controls and what they show.
#include "settings_dialog/dialog_rules.h"
#include "settings_dialog/startup_shortcut.h"

// The largest numbers the delay and slide speed fields take (their widths).
constexpr int kHighestDelay = 999999999;
constexpr int kHighestSlideSpeed = 99;

// Controls of the settings window.
constexpr int kVarDriveBox = 46;
constexpr int kStartupBox = 39;
constexpr int kHiddenBox = 40;
constexpr int kStartCategoryList = 45;
constexpr int kHideTitleBarBox = 91;
constexpr int kTrayBox = 47;
constexpr int kToolWindowBox = 36;
constexpr int kAutoHideBox = 37;
constexpr int kSlideSpeedField = 38;
constexpr int kAutoCloseBox = 71;
constexpr int kDelayField = 59;
constexpr int kHotkeyBox = 41;
constexpr int kHotkeyField = 42;
constexpr int kHotkeyVerdict = 43;
constexpr int kSingleClickBox = 50;
constexpr int kAltMenuBox = 49;
constexpr int kFindOnHotkeyBox = 63;
constexpr int kSingleColumnBox = 54;
constexpr int kKeepCornerBox = 51;
constexpr int kCenteredBox = 52;
constexpr int kSameWidthBox = 55;
constexpr int kSameHeightBox = 56;
constexpr int kSameFontBox = 57;
constexpr int kSameBackgroundBox = 58;
constexpr int kAllowDropBox = 44;
constexpr int kFindProgramsBox = 64;
constexpr int kFindLearnsBox = 65;
constexpr int kOkButton = 60;
constexpr int kCancelButton = 61;
constexpr int kHelpButton = 62;

// Opens the window invisible over `owner`, with every control in its place,
// the fonts and texts of the language. False when the system refuses it.
bool openSettingsWindow(int owner);

// Shows the settings of the moment, the start categories and the shortcut.
void showSettingsValues(const ShortcutFound& shortcut);

// The enable rules on the check boxes as they stand now.
void applySettingsRules(bool foreignShortcut);

// "Not accepted" beside the hotkey field, or nothing.
void showHotkeyVerdict(bool refused);
