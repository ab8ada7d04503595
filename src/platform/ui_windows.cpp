#include "platform/ui_windows.h"

#include <windows.h>

namespace {

constexpr int kWindowCount = 3;
HWND windows[kWindowCount] = {};

}  // namespace

void registerWindow(int windowId, void* handle) {
    if (windowId >= 0 && windowId < kWindowCount) windows[windowId] = static_cast<HWND>(handle);
}

void* windowHandle(int windowId) {
    return windowId >= 0 && windowId < kWindowCount ? windows[windowId] : nullptr;
}

bool setControlEnabled(int windowId, int controlId, bool enabled) {
    HWND window = static_cast<HWND>(windowHandle(windowId));
    HWND control = window ? GetDlgItem(window, controlId) : nullptr;
    if (!control) return false;
    EnableWindow(control, enabled ? TRUE : FALSE);
    return true;
}

ScreenRect desktopWorkArea() {
    RECT r{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) {
        r.right = GetSystemMetrics(SM_CXSCREEN);
        r.bottom = GetSystemMetrics(SM_CYSCREEN);
    }
    return ScreenRect{r.left, r.top, r.right, r.bottom};
}
