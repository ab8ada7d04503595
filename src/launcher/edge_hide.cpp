#include "launcher/edge_hide.h"

#include "launcher/commands.h"
#include "launcher/launcher_window.h"
#include "platform/ui_windows.h"
#include "platform/window_motion.h"
#include "settings/general_settings.h"
#include "store/category_store.h"

namespace {

constexpr unsigned kSlowSlidePause = 1;

bool horizontal(const Slide& slide) { return slide.direction == kSlideLeft || slide.direction == kSlideRight; }

}  // namespace

void SlideWindow(const Slide& slide) {
    LauncherGeometry& g = categoryStore.geometry;
    const ScreenRect outer = windowRect(kLauncherWindow);
    g.x = outer.left;
    g.y = outer.top;
    int& coordinate = horizontal(slide) ? g.x : g.y;
    const std::vector<int> positions = slidePositions(coordinate, slide, generalSettings.EdgeSlide);
    for (size_t i = 0; i < positions.size(); ++i) {
        coordinate = positions[i];
        moveWindowOnTop(kLauncherWindow, g.x, g.y);
        if (generalSettings.SlowSlide && i + 1 < positions.size()) pauseMilliseconds(kSlowSlidePause);
    }
}

bool WindowOffWorkArea() { return windowOffWorkArea(windowRect(kLauncherWindow), workAreaOf(kLauncherWindow)); }

bool PointerOverWindow(int windowId) { return pointerInWindow(windowId); }

bool HideAtEdge() {
    launcherWindow.hiddenAtEdge = false;
    if (!generalSettings.AutoEdgeHide) return false;
    const Slide slide = hideSlide(windowRect(kLauncherWindow), workAreaOf(kLauncherWindow));
    if (slide.direction == 0) return false;
    SlideWindow(slide);
    launcherWindow.hiddenAtEdge = true;
    launcherWindow.hiddenEdge = slide.direction;
    return true;
}

bool ShowFromEdge() {
    launcherWindow.hiddenAtEdge = false;
    const std::vector<Slide> slides = showSlides(windowRect(kLauncherWindow), workAreaOf(kLauncherWindow));
    for (const Slide& slide : slides) SlideWindow(slide);
    return !slides.empty();
}

void FollowWorkArea() {
    if (!windowVisible(kLauncherWindow) || windowMinimized(kLauncherWindow)) return;
    if (!launcherWindow.hiddenAtEdge) {
        keepWindowOnScreen(kLauncherWindow);
        return;
    }
    const ScreenRect at =
        hiddenAtEdgeOf(windowRect(kLauncherWindow), launcherWindow.hiddenEdge, workAreaOf(kLauncherWindow));
    LauncherGeometry& g = categoryStore.geometry;
    g.x = at.left;
    g.y = at.top;
    moveWindowOnTop(kLauncherWindow, g.x, g.y);
}

namespace {

bool sameRect(const ScreenRect& a, const ScreenRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

// Wine tells other programs nothing when its taskbar changes the work area,
// and after a display change the taskbar settles a moment after the message:
// the tick looks as well. A window that moved went to that area itself.
void FollowWorkAreaChange() {
    LauncherWindow& w = launcherWindow;
    const ScreenRect area = workAreaOf(kLauncherWindow);
    const ScreenRect place = windowRect(kLauncherWindow);
    const bool follow = !sameRect(area, w.seenWorkArea) && sameRect(place, w.seenPlace);
    w.seenWorkArea = area;
    w.seenPlace = place;
    if (!follow) return;
    FollowWorkArea();
    w.seenPlace = windowRect(kLauncherWindow);
}

int edgeTick(EdgeTimes& times, unsigned now) {
    const EdgeVerdict verdict =
        edgeTimerVerdict(times, now, static_cast<unsigned>(generalSettings.AutoDelay),
                         generalSettings.AutoEdgeHide != 0, PointerOverWindow(kLauncherWindow));
    if (verdict == EdgeVerdict::None) return 0;
    if (HideAtEdge()) {
        times = EdgeTimes{};
        return 0;
    }
    if (verdict != EdgeVerdict::HideOrClose) return 0;
    times = EdgeTimes{};
    return kCommandCloseRequest;
}
