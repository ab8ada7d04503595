#pragma once
// Display scaling inside the platform layer. The program speaks in units of a
// pixel at 96 DPI (ui_windows.h); here they become pixels: sizes by the DPI of
// the window's display, screen places by the system's DPI. Only for the
// platform's own sources.
#include <windows.h>

#include "platform/ui_window_table.h"

int pixelsOf(int units, int dpi);
int unitsOf(int pixels, int dpi);
int screenPixels(int units);
int screenUnits(int pixels);

// GetSystemMetricsForDpi where the system has it, else the system metric
// scaled from the system's DPI.
int systemMetricAt(int index, int dpi);

// The DPI the system reports for a window; the system's DPI before Windows 10.
int reportedDpi(HWND window);

// The outer size in pixels of a window whose inner area is that many units at
// `dpi`, with the window's present frame drawn at `frameDpi`: the display's,
// also for a dialog laid out at a smaller scale, whose caption the system
// draws at the display's size all the same.
SIZE outerSizeAt(HWND window, int innerWidth, int innerHeight, int dpi, int frameDpi);

// Puts the control at that box, in units, and remembers it for another DPI.
void placeControl(WindowRecord& record, HWND control, int x, int y, int width, int height);
// The remembered place of a control; null for one the program never placed.
ControlPlace* placeOf(WindowRecord& record, HWND control);
// Narrows the control to the width its text needs in its font, now and at
// every other DPI.
void fitToText(WindowRecord& record, HWND control);
// The icon spacing of an item view at the window's DPI: the program's
// (spacingX, spacingY) or the system's.
void applyIconSpacing(const WindowRecord& record, ControlPlace& place);

// The program's font (made at 96 DPI, fonts.h) on the control, as a copy made
// at the window's DPI that the window owns.
void giveFont(WindowRecord& record, HWND control, HFONT font, bool redraw);
// The system's dialog font, as controls start with.
void giveDefaultFont(WindowRecord& record, HWND control);
// Deletes the copies; for a window that goes.
void releaseScaledFonts(WindowRecord& record);

// WM_GETDPISCALEDSIZE: the outer size the window will have at the new DPI, so
// that the rectangle the system suggests keeps the inner size in units.
bool answerScaledSize(const WindowRecord& record, WPARAM wParam, LPARAM lParam);
// Fonts and controls laid out at that DPI; then a ScaleChanged event for the
// window's loop. The window's own size is the caller's.
void relayoutAt(int windowId, WindowRecord& record, int dpi);
// WM_DPICHANGED: fonts, controls and the window at the new DPI (for a dialog
// of fixed layout, the largest that fits there), in the place the system
// suggests, kept within the work area.
void onDpiChanged(int windowId, WindowRecord& record, WPARAM wParam, LPARAM lParam);
