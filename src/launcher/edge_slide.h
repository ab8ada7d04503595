#pragma once
// The arithmetic of sliding the launcher into a desktop edge and back, and of
// the 250 ms tick that decides when to hide or close; kept apart from the
// window so that every case can be checked on its own.
#include <vector>

#include "platform/ui_windows.h"

// Directions of a slide; the target is the final left edge (left, right) or
// top edge (down, up).
constexpr int kSlideLeft = 1;
constexpr int kSlideRight = 2;
constexpr int kSlideDown = 4;
constexpr int kSlideUp = 8;

struct Slide {
    int direction = 0;  // 0: no slide
    int target = 0;
};

// Part of the window left on the screen when it hides at an edge.
constexpr int kEdgeStrip = 2;

// True when the window lies wholly outside the work area.
bool windowOffWorkArea(const ScreenRect& window, const ScreenRect& workArea);
// The slide that hides a window touching or crossing an edge; the right edge
// comes first, then left, bottom and top. No slide when it touches none.
Slide hideSlide(const ScreenRect& window, const ScreenRect& workArea);
// Where a window hidden at an edge by a slide in `direction` stands hidden at
// that edge of another work area: its strip at the edge, and along the edge
// within the area, as far as it fits.
ScreenRect hiddenAtEdgeOf(const ScreenRect& window, int direction, const ScreenRect& workArea);
// The slides (horizontal first, then vertical) that bring a window sticking
// out of the work area fully back in; none for a window wholly outside.
std::vector<Slide> showSlides(const ScreenRect& window, const ScreenRect& workArea);
// The coordinates the window passes through on its way from `from`: one move
// of `step` pixels at a time while the target is not reached, then the target
// exactly. A step of 0 or less jumps at once.
std::vector<int> slidePositions(int from, const Slide& slide, int step);

// The times the tick works with (tick counts; 0 = none).
struct EdgeTimes {
    unsigned mouseOver = 0;
    unsigned autoCloseStart = 0;
};

enum class EdgeVerdict { None, Hide, HideOrClose };

// One tick: auto close takes precedence; otherwise, with auto-hide on, the
// pointer over the window renews the mouse-over time, and once it has been
// away longer than `delay` the window is to hide.
EdgeVerdict edgeTimerVerdict(EdgeTimes& times, unsigned now, unsigned delay, bool autoEdgeHide, bool pointerOver);
