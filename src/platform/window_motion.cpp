#include "platform/window_motion.h"

#include <windows.h>

#include "platform/ui_scaling.h"
#include "platform/ui_window_table.h"

void moveWindowOnTop(int windowId, int x, int y) {
    HWND w = static_cast<HWND>(windowHandle(windowId));
    if (!w) return;
    SetWindowPos(w, HWND_TOP, screenPixels(x), screenPixels(y), 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    // Only what is invalid is painted: the window and its controls, nothing else.
    RedrawWindow(w, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

bool pointerInWindow(int windowId) {
    HWND w = static_cast<HWND>(windowHandle(windowId));
    POINT p{};
    RECT r{};
    if (!w || !GetCursorPos(&p) || !GetWindowRect(w, &r)) return false;
    return PtInRect(&r, p) != FALSE;
}

void pauseMilliseconds(unsigned milliseconds) { Sleep(milliseconds); }

void fadeOutWindow(int windowId, unsigned milliseconds) {
    HWND w = static_cast<HWND>(windowHandle(windowId));
    if (!w) return;
    if (!AnimateWindow(w, milliseconds, AW_HIDE | AW_BLEND)) ShowWindow(w, SW_HIDE);
}
