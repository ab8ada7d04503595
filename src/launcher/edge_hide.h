#pragma once
// Auto-hide at the desktop edge: a tool window touching an edge slides out of
// view, leaving a strip of 2 pixels, once the pointer has left it for a while,
// and comes back on a right click, the hotkey or the tray icon. The same tick
// closes the window a while after a launch when auto close is on.
#include "launcher/edge_slide.h"

// Slides a window that touches or crosses a work-area edge out of view; true
// when it did. Nothing when auto-hide is off.
bool HideAtEdge();
// Slides a window that sticks out of the work area fully back in; true when it
// moved the window. A window wholly outside the work area stays where it is.
bool ShowFromEdge();
// Moves the window to the target, by EdgeSlide pixels a step when set.
void SlideWindow(const Slide& slide);
bool WindowOffWorkArea();
// The work area changed: a window hidden at an edge hides at that edge of the
// new area, any other is kept whole within it.
void FollowWorkArea();
// Called by the tick: follows a work area that changed while the window stood still.
void FollowWorkAreaChange();
bool PointerOverWindow(int windowId);

// The 250 ms tick while the window is in its normal state: may hide the window
// or return the close request (89); otherwise 0.
int edgeTick(EdgeTimes& times, unsigned now);
