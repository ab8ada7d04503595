#pragma once
// A dialog that the work area cannot hold even at 100 %: its inner area is cut
// to the work area and scrolls up and down, with the scroll bar, the wheel and
// by following the focus as Tab moves it. Only for the platform's own sources.
#include <windows.h>

#include "platform/ui_window_table.h"

// Turns scrolling on for an inner area `fullHeight` pixels high of which
// `visibleHeight` can be seen, or off when all of it can; either way back at
// the top. True when it scrolls.
bool setVerticalScrolling(WindowRecord& record, int fullHeight, int visibleHeight);
// Back at the top, the controls where their places say.
void scrollToTop(WindowRecord& record);

// WM_VSCROLL of the window's own scroll bar, and WM_MOUSEWHEEL.
void onVerticalScroll(WindowRecord& record, WPARAM wParam);
void onMouseWheel(WindowRecord& record, WPARAM wParam);
// Scrolls the control that has the focus into sight.
void scrollFocusIntoView(WindowRecord& record);
