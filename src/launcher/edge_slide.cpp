#include "launcher/edge_slide.h"

#include <algorithm>

namespace {

// Tick counts wrap after 49 days; the difference does not.
bool delayPassed(unsigned now, unsigned start, unsigned delay) { return now - start > delay; }

int width(const ScreenRect& r) { return r.right - r.left; }
int height(const ScreenRect& r) { return r.bottom - r.top; }

}  // namespace

bool windowOffWorkArea(const ScreenRect& w, const ScreenRect& area) {
    return w.left > area.right || w.right < area.left || w.bottom < area.top || w.top > area.bottom;
}

Slide hideSlide(const ScreenRect& w, const ScreenRect& area) {
    if (windowOffWorkArea(w, area)) return Slide{};
    if (w.right >= area.right) return Slide{kSlideRight, area.right - kEdgeStrip};
    if (w.left <= area.left) return Slide{kSlideLeft, area.left - width(w) + kEdgeStrip};
    if (w.bottom >= area.bottom) return Slide{kSlideDown, area.bottom - kEdgeStrip};
    if (w.top <= area.top) return Slide{kSlideUp, area.top - height(w) + kEdgeStrip};
    return Slide{};
}

ScreenRect hiddenAtEdgeOf(const ScreenRect& w, int direction, const ScreenRect& area) {
    const bool horizontal = direction == kSlideLeft || direction == kSlideRight;
    // Along the edge: whole in the area, the upper left corner first.
    int x = horizontal ? w.left : std::max(area.left, std::min(w.left, area.right - width(w)));
    int y = horizontal ? std::max(area.top, std::min(w.top, area.bottom - height(w))) : w.top;
    if (direction == kSlideRight) x = area.right - kEdgeStrip;
    if (direction == kSlideLeft) x = area.left - width(w) + kEdgeStrip;
    if (direction == kSlideDown) y = area.bottom - kEdgeStrip;
    if (direction == kSlideUp) y = area.top - height(w) + kEdgeStrip;
    return ScreenRect{x, y, x + width(w), y + height(w)};
}

std::vector<Slide> showSlides(const ScreenRect& w, const ScreenRect& area) {
    std::vector<Slide> slides;
    if (windowOffWorkArea(w, area)) return slides;
    if (w.right > area.right)
        slides.push_back(Slide{kSlideLeft, area.right - width(w)});
    else if (w.left < area.left)
        slides.push_back(Slide{kSlideRight, area.left});
    if (w.bottom > area.bottom)
        slides.push_back(Slide{kSlideUp, area.bottom - height(w)});
    else if (w.top < area.top)
        slides.push_back(Slide{kSlideDown, area.top});
    return slides;
}

std::vector<int> slidePositions(int from, const Slide& slide, int step) {
    std::vector<int> positions;
    const bool backwards = slide.direction == kSlideLeft || slide.direction == kSlideUp;
    if (step > 0) {
        // 64 bits: a step near the largest int must not wrap past the target.
        long long at = from;
        for (;;) {
            at += backwards ? -step : step;
            if (backwards ? at <= slide.target : at >= slide.target) break;
            positions.push_back(static_cast<int>(at));
        }
    }
    positions.push_back(slide.target);
    return positions;
}

EdgeVerdict edgeTimerVerdict(EdgeTimes& times, unsigned now, unsigned delay, bool autoEdgeHide, bool pointerOver) {
    if (times.autoCloseStart && delayPassed(now, times.autoCloseStart, delay)) return EdgeVerdict::HideOrClose;
    if (!autoEdgeHide) return EdgeVerdict::None;
    if (pointerOver) {
        times.mouseOver = now;
        return EdgeVerdict::None;
    }
    return times.mouseOver && delayPassed(now, times.mouseOver, delay) ? EdgeVerdict::Hide : EdgeVerdict::None;
}
