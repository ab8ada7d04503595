#pragma once
// Keeping windows whole on the screen: the work area of the monitor a
// rectangle is on, and the scale at which a dialog of fixed layout fits it.
// Only for the platform's own sources; places and sizes here are pixels.
#include <windows.h>

// The work area of the monitor that holds most of the rectangle, or of the
// nearest one when none holds any of it. Read anew each time: Wine keeps the
// system's own work area of a process as it was at its start.
RECT workAreaNear(const RECT& rect);

// The largest DPI, from `displayDpi` down to 96, at which the window's outer
// size for that inner size (units) lies within `work`; 96 when even that does
// not fit, and `displayDpi` when it is 96 or less.
int fittedDpi(HWND window, int innerWidth, int innerHeight, int displayDpi, const RECT& work);

// The outer rectangle moved just enough to lie within `work`; one larger than
// the area keeps its upper left corner in it, and with `shrink` is cut to it.
RECT keptWithin(RECT outer, const RECT& work, bool shrink);
