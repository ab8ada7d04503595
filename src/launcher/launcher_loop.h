#pragma once
// The launcher window's event loop: clicks, keys, menus, tray, hotkey, drops
// and messages from another instance become commands, which it carries out.
#include <string>
#include <vector>

// Loop state; starts fresh with every run. Times are tick counts.
struct LauncherLoop {
    int pendingClick = 0;  // strip control clicked, waiting to be taken
    unsigned pendingDue = 0;
    bool pointerRecorded = false;  // last pointer position seen with the left button down
    int pointerX = 0;
    int pointerY = 0;
    unsigned categoryMenuClosed = 0;
    bool altDown = false;
    unsigned autoCloseStart = 0;
    unsigned mouseOverTime = 0;
    int result = 0;  // the loop request that ends the run
};

extern LauncherLoop launcherLoop;

// Runs until the loop request is set and returns it; the category to show next
// is in categoryNavigation.targetCategory.
int RunLauncherLoop();

// Inserts an item for each file after the last item, shows them and saves the
// category file.
void addDroppedFiles(const std::vector<std::wstring>& files);
