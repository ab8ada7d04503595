#pragma once
// Moving a window step by step, as the slide into a desktop edge does, and
// where the pointer is.

// Places the window's outer corner at x, y, size unchanged, at the top of the
// z-order without activating it, and paints at once what the move uncovered of
// it, so that a window sliding in from off the screen shows whole at each step.
void moveWindowOnTop(int windowId, int x, int y);

// True when the mouse pointer lies inside the window's outer rectangle.
bool pointerInWindow(int windowId);

void pauseMilliseconds(unsigned milliseconds);

// Hides the window by fading it out over that time where the system can, at
// once where it cannot.
void fadeOutWindow(int windowId, unsigned milliseconds);
