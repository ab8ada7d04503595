#pragma once
// The icon a Start-menu or desktop shortcut shows, planned while the shortcut
// is read on Find's own thread: drawing its row then asks no drive whether a
// file is there.
#include <string>

#include "launch/item_icons.h"
#include "platform/shell_links.h"

// From the shortcut's target and icon setting as shellLinkTargets reads them:
// its own icon setting (variables expanded, a relative file taken from the
// shortcut's folder), else its target's first icon, else what the shell shows
// for the target, or for the shortcut when the target is not there. A target
// on a drive that may not answer gives the default program icon and is not
// touched; an icon file on one is passed over.
IconPlan shortcutIconPlan(const std::wstring& linkFile, const ShellLinkInfo& link);
