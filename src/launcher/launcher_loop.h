#pragma once
// The launcher window's event loop: clicks, keys, menus, tray, hotkey, drops
// and messages from another instance become commands, which it carries out.
#include <string>
#include <vector>

#include "launcher/edge_slide.h"

// Alt pressed and let go with no other key joining it opens the category menu,
// as Alt does for a menu bar. It is decided when Alt goes up, so that Alt+F4 and
// the like stay what they are.
struct LoneAlt {
    bool down = false;
    bool alone = false;  // nothing else pressed since Alt went down
};

// Follows one key going down or up; true when it is Alt let go after a press
// that stood alone.
bool loneAltReleased(LoneAlt& alt, int key, bool pressed, bool shiftOrControlHeld);

// Loop state; starts fresh with every run. Times are tick counts.
struct LauncherLoop {
    int pendingClick = 0;  // strip control clicked, waiting to be taken
    unsigned pendingDue = 0;
    bool pointerRecorded = false;  // last pointer position seen with the left button down
    int pointerX = 0;
    int pointerY = 0;
    unsigned categoryMenuClosed = 0;
    // Until then the release of the right button that brought the window back
    // from its edge opens no menu, wherever the slide has put the window under it.
    unsigned edgeClickUntil = 0;
    LoneAlt alt;
    EdgeTimes edge;  // auto-hide and auto close
    int result = 0;  // the loop request that ends the run
};

extern LauncherLoop launcherLoop;

// Runs until the loop request is set and returns it; the category to show next
// is in categoryNavigation.targetCategory.
int RunLauncherLoop();

// Inserts an item for each file after the last item, shows them and saves the
// category file.
void addDroppedFiles(const std::vector<std::wstring>& files);
