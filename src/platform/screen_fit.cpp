#include "platform/screen_fit.h"

#include "platform/ui_scaling.h"
#include "platform/ui_windows.h"

namespace {

ScreenRect unitsRect(const RECT& r) {
    return ScreenRect{screenUnits(r.left), screenUnits(r.top), screenUnits(r.right), screenUnits(r.bottom)};
}

BOOL CALLBACK widerWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM largest) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    RECT& found = *reinterpret_cast<RECT*>(largest);
    const auto area = [](const RECT& r) { return static_cast<long long>(r.right - r.left) * (r.bottom - r.top); };
    if (GetMonitorInfoW(monitor, &info) && area(info.rcWork) > area(found)) found = info.rcWork;
    return TRUE;
}

// The main monitor's: it holds the screen's origin.
ScreenRect mainWorkArea() { return unitsRect(workAreaNear(RECT{0, 0, 1, 1})); }

}  // namespace

RECT workAreaNear(const RECT& rect) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info)) return info.rcWork;
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

int fittedDpi(HWND window, int innerWidth, int innerHeight, int displayDpi, const RECT& work) {
    const int width = work.right - work.left;
    const int height = work.bottom - work.top;
    // A step of 1 DPI is finer than anyone sees; the frame does not grow in
    // proportion, so the size is asked for at each step.
    for (int dpi = displayDpi; dpi > kBaseDpi; --dpi) {
        const SIZE outer = outerSizeAt(window, innerWidth, innerHeight, dpi, displayDpi);
        if (outer.cx <= width && outer.cy <= height) return dpi;
    }
    return displayDpi < kBaseDpi ? displayDpi : kBaseDpi;
}

RECT keptWithin(RECT outer, const RECT& work, bool shrink) {
    if (shrink) {
        if (outer.right - outer.left > work.right - work.left) outer.right = outer.left + (work.right - work.left);
        if (outer.bottom - outer.top > work.bottom - work.top) outer.bottom = outer.top + (work.bottom - work.top);
    }
    int dx = 0;
    int dy = 0;
    if (outer.right > work.right) dx = work.right - outer.right;
    if (outer.left + dx < work.left) dx = work.left - outer.left;
    if (outer.bottom > work.bottom) dy = work.bottom - outer.bottom;
    if (outer.top + dy < work.top) dy = work.top - outer.top;
    OffsetRect(&outer, dx, dy);
    return outer;
}

ScreenRect workAreaOf(int windowId) {
    RECT r{};
    HWND w = static_cast<HWND>(windowHandle(windowId));
    if (!w || !GetWindowRect(w, &r)) return mainWorkArea();
    return unitsRect(workAreaNear(r));
}

ScreenRect largestWorkArea() {
    RECT largest{};
    if (!EnumDisplayMonitors(nullptr, nullptr, widerWorkArea, reinterpret_cast<LPARAM>(&largest)) ||
        IsRectEmpty(&largest))
        return mainWorkArea();
    return unitsRect(largest);
}
