#pragma once
// The arithmetic of the launcher window's strip, kept apart from the window so
// that every case can be checked on its own.
#include <string>

struct StripLayout {
    int titleX = 0;
    int titleWidth = 0;
    int arrowsX = 0;  // the previous arrow; the next one stands 13 pixels further
    int closeX = 0;
    int closeWidth = 0;
};

StripLayout computeStripLayout(int width, bool titleBar, bool leftAligned);

// Whether the arrows go to the left end: never for a centred window; with
// automatic alignment, by the half of the work area the window stands in; a
// window across the middle keeps `current`.
int decideLeftAligned(int current, bool centered, bool autoAlign, int x, int width, int workAreaRight);

// "cx,cy" with each raised to at least 65; false for an empty text (the view
// keeps the system's spacing).
bool parseIconSpacing(const std::wstring& text, int& horizontal, int& vertical);
