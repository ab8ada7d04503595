#include "settings_dialog/dialog_rules.h"

namespace {

// The outer size of the dialog the rule allows for, frame included.
constexpr int kRightAllowance = 430;
constexpr int kFarRight = 420;
// Caption and frame above the inner height: the dialog stands whole above the
// bottom of the work area.
constexpr int kBottomAllowance = kSettingsInnerHeight + 33;

}  // namespace

SettingsEnables applyEnableRules(SettingsChecks& c) {
    SettingsEnables e;
    e.startup = !c.varDrive && !c.foreignShortcut;
    if (!e.startup) c.startup = false;
    e.hidden = c.startup;
    e.centered = !c.keepCorner;
    e.hotkeyField = c.hotkey;
    e.toolWindow = c.tray;
    if (!e.toolWindow) c.toolWindow = false;
    e.autoHide = c.toolWindow;
    if (!e.autoHide) c.autoHide = false;
    e.slideSpeed = c.autoHide;
    return e;
}

ScreenPoint settingsDialogPosition(int left, int top, const ScreenRect& area) {
    ScreenPoint at{left, top};
    if (left > area.right - kRightAllowance && left <= area.right + kFarRight) at.x = area.right - kRightAllowance;
    if (top > area.bottom - kBottomAllowance) at.y = area.bottom - kBottomAllowance;
    // Taken from the result: on a work area smaller than the dialog its caption
    // stays in reach.
    if (at.x < area.left) at.x = area.left;
    if (at.y < area.top) at.y = area.top;
    return at;
}
