#pragma once
// Menu commands every window of the program answers the same way: stay on top,
// large icons, the two folders, and the dialogs and help.

// True when the command was one of them (and was carried out).
bool handleCommonMenu(int command);
