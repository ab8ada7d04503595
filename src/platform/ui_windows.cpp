#include "platform/ui_windows.h"

#include <windows.h>
#include <commctrl.h>

#include "platform/centered_message_box.h"
#include "platform/screen_fit.h"
#include "platform/ui_scrolling.h"
#include "platform/ui_scaling.h"
#include "platform/ui_window_table.h"

namespace {

struct WindowTable {
    WindowRecord records[kWindowCount];
    bool classRegistered = false;
};
WindowTable windowTable;

constexpr const wchar_t* kWindowClass = L"KivoWindow";

bool registerWindowClass() {
    if (windowTable.classRegistered) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = programWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kWindowClass;
    windowTable.classRegistered = RegisterClassExW(&wc) != 0;
    return windowTable.classRegistered;
}

HWND handleOf(int windowId) { return static_cast<HWND>(windowHandle(windowId)); }

// The outer size in pixels that gives the inner size in units, with the
// window's present frame, at its DPI.
SIZE outerSizeFor(int windowId, int innerWidth, int innerHeight) {
    const WindowRecord* record = windowRecord(windowId);
    return outerSizeAt(record->handle, innerWidth, innerHeight, record->dpi, record->displayDpi);
}

// The inner size in units, at the window's scale, of an outer rectangle.
void innerUnitsOf(HWND w, int dpi, int frameDpi, const RECT& outer, int& width, int& height) {
    const SIZE frame = outerSizeAt(w, 0, 0, dpi, frameDpi);
    width = unitsOf(outer.right - outer.left - frame.cx, dpi);
    height = unitsOf(outer.bottom - outer.top - frame.cy, dpi);
}

}  // namespace

WindowRecord* windowRecord(int windowId) {
    return windowId >= 0 && windowId < kWindowCount ? &windowTable.records[windowId] : nullptr;
}

int windowIdOf(HWND window) {
    if (!window) return -1;
    HWND root = GetAncestor(window, GA_ROOT);
    for (int id = 0; id < kWindowCount; ++id)
        if (windowTable.records[id].handle && (windowTable.records[id].handle == window ||
                                               windowTable.records[id].handle == root))
            return id;
    return -1;
}

void registerWindow(int windowId, void* handle) {
    if (WindowRecord* record = windowRecord(windowId)) {
        releaseScaledFonts(*record);
        *record = WindowRecord{};
        record->handle = static_cast<HWND>(handle);
        record->dpi = reportedDpi(record->handle);
        record->displayDpi = record->dpi;
    }
}

void* windowHandle(int windowId) {
    const WindowRecord* record = windowRecord(windowId);
    return record ? record->handle : nullptr;
}

bool openWindow(int windowId, const WindowSpec& spec) {
    WindowRecord* record = windowRecord(windowId);
    if (!record || record->handle || !registerWindowClass()) return false;
    // The minimise box shows only beside a system menu.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN | (spec.closeBox ? WS_SYSMENU : 0) |
                        (spec.dialogFrame ? 0 : WS_THICKFRAME | WS_MINIMIZEBOX);
    const DWORD exStyle = (spec.toolWindow ? WS_EX_TOOLWINDOW : 0) | (spec.dialogFrame ? WS_EX_DLGMODALFRAME : 0);
    // Made at the system's DPI; a window that comes up on a display of
    // another DPI takes its size anew.
    const int dpi = systemDpi();
    RECT r{0, 0, pixelsOf(spec.innerWidth, dpi), pixelsOf(spec.innerHeight, dpi)};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    HWND window = CreateWindowExW(exStyle, kWindowClass, spec.title.c_str(), style, screenPixels(spec.x),
                                  screenPixels(spec.y), r.right - r.left, r.bottom - r.top, handleOf(spec.ownerId),
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window) return false;
    *record = WindowRecord{};
    record->handle = window;
    record->ownWindow = true;
    record->dpi = reportedDpi(window);
    record->displayDpi = record->dpi;
    record->fitsWorkArea = spec.dialogFrame;
    if (record->dpi != dpi) {
        const SIZE outer = outerSizeFor(windowId, spec.innerWidth, spec.innerHeight);
        SetWindowPos(window, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return true;
}

void placeCenteredOn(int windowId, int ownerId, int innerWidth, int innerHeight) {
    placeWindow(windowId, 0, 0, innerWidth, innerHeight);
    const ScreenRect outer = windowRect(windowId);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    const ScreenRect o = windowRect(ownerId);
    const ScreenRect area = workAreaOf(windowId);
    const BoxPosition at = keptInArea(centeredBoxPosition(o.left, o.top, o.right, o.bottom, width, height), width,
                                      height, area.left, area.top, area.right, area.bottom);
    placeWindow(windowId, at.x, at.y, innerWidth, innerHeight);
}

void closeWindow(int windowId) {
    WindowRecord* record = windowRecord(windowId);
    if (!record || !record->handle) return;
    // The tips first: they let go of the controls they watch.
    if (record->tips) DestroyWindow(record->tips);
    forgetLinksOf(record->handle);
    releaseButtonIcons(record->handle);
    if (record->ownWindow) DestroyWindow(record->handle);
    if (record->shortcuts) DestroyAcceleratorTable(record->shortcuts);
    if (record->background) DeleteObject(record->background);
    // After the controls that used them.
    releaseScaledFonts(*record);
    *record = WindowRecord{};
}

void setWindowTitle(int windowId, const std::wstring& title) {
    if (HWND w = handleOf(windowId)) SetWindowTextW(w, title.c_str());
}

void setWindowUserData(int windowId, uint32_t value) {
    if (HWND w = handleOf(windowId)) SetWindowLongPtrW(w, GWLP_USERDATA, static_cast<LONG_PTR>(value));
}

void setWindowIcons(int windowId, void* largeIcon, void* smallIcon) {
    HWND w = handleOf(windowId);
    if (!w) return;
    if (largeIcon) SendMessageW(w, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon));
    if (smallIcon) SendMessageW(w, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
}

ScreenRect windowRect(int windowId) {
    RECT r{};
    if (HWND w = handleOf(windowId)) GetWindowRect(w, &r);
    return ScreenRect{screenUnits(r.left), screenUnits(r.top), screenUnits(r.right), screenUnits(r.bottom)};
}

void windowInnerSize(int windowId, int& width, int& height) {
    RECT r{};
    if (HWND w = handleOf(windowId)) GetClientRect(w, &r);
    const int dpi = windowDpi(windowId);
    width = unitsOf(r.right - r.left, dpi);
    height = unitsOf(r.bottom - r.top, dpi);
}

void placeWindow(int windowId, int x, int y, int innerWidth, int innerHeight) {
    WindowRecord* record = windowRecord(windowId);
    HWND w = handleOf(windowId);
    if (!w) return;
    const POINT corner{screenPixels(x), screenPixels(y)};
    const SIZE wanted = outerSizeAt(w, innerWidth, innerHeight, record->displayDpi, record->displayDpi);
    const RECT work = workAreaNear(RECT{corner.x, corner.y, corner.x + wanted.cx, corner.y + wanted.cy});
    // A dialog the display cannot hold at its own scale is laid out smaller.
    if (record->fitsWorkArea) {
        record->fitWidth = innerWidth;
        record->fitHeight = innerHeight;
        scrollToTop(*record);
        relayoutAt(windowId, *record, fittedDpi(w, innerWidth, innerHeight, record->displayDpi, work));
    }
    const int dpi = record->dpi;
    SIZE outer = outerSizeFor(windowId, innerWidth, innerHeight);
    // Too large even at 100 %: as high as the work area, and it scrolls.
    if (record->fitsWorkArea) {
        const int inner = pixelsOf(innerHeight, dpi);
        const int frame = outer.cy - inner;
        if (setVerticalScrolling(*record, inner, (work.bottom - work.top) - frame)) {
            outer.cy = work.bottom - work.top;
            outer.cx += systemMetricAt(SM_CXVSCROLL, dpi);
        }
    }
    // Whole within the work area of its monitor; a window the user sizes
    // gives up what would not fit.
    const RECT placed =
        keptWithin(RECT{corner.x, corner.y, corner.x + outer.cx, corner.y + outer.cy}, work, !record->fitsWorkArea);
    SetWindowPos(w, nullptr, placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // Moved onto a display of another DPI, the window has taken that DPI on
    // the way: the size is made for it (a dialog has placed itself anew).
    if (record->dpi == dpi || record->fitsWorkArea) return;
    int width = innerWidth;
    int height = innerHeight;
    if (!record->fitsWorkArea) innerUnitsOf(w, dpi, record->displayDpi, placed, width, height);
    const SIZE scaled = outerSizeFor(windowId, width, height);
    SetWindowPos(w, nullptr, 0, 0, scaled.cx, scaled.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void keepWindowOnScreen(int windowId) {
    WindowRecord* record = windowRecord(windowId);
    HWND w = handleOf(windowId);
    RECT outer{};
    if (!w || IsIconic(w) || IsZoomed(w) || !GetWindowRect(w, &outer)) return;
    int width = record->fitWidth;
    int height = record->fitHeight;
    if (!record->fitsWorkArea || width <= 0) innerUnitsOf(w, record->dpi, record->displayDpi, outer, width, height);
    placeWindow(windowId, screenUnits(outer.left), screenUnits(outer.top), width, height);
}

void showWindow(int windowId, WindowShow how) {
    HWND w = handleOf(windowId);
    if (!w) return;
    switch (how) {
        case WindowShow::Hide: ShowWindow(w, SW_HIDE); break;
        case WindowShow::Show: ShowWindow(w, SW_SHOW); break;
        case WindowShow::ShowInactive: ShowWindow(w, SW_SHOWNOACTIVATE); break;
        case WindowShow::Minimize: ShowWindow(w, SW_MINIMIZE); break;
        case WindowShow::Restore: ShowWindow(w, SW_RESTORE); break;
    }
}

void setWindowEnabled(int windowId, bool enabled) {
    if (HWND w = handleOf(windowId)) EnableWindow(w, enabled ? TRUE : FALSE);
}

bool windowVisible(int windowId) {
    HWND w = handleOf(windowId);
    return w && IsWindowVisible(w);
}

bool windowMinimized(int windowId) {
    HWND w = handleOf(windowId);
    return w && IsIconic(w);
}

bool windowMaximized(int windowId) {
    HWND w = handleOf(windowId);
    return w && IsZoomed(w);
}

bool windowIsForeground(int windowId) {
    HWND w = handleOf(windowId);
    return w && GetForegroundWindow() == w;
}

void bringWindowToFront(int windowId) {
    if (HWND w = handleOf(windowId)) {
        SetActiveWindow(w);
        SetForegroundWindow(w);
    }
}

void setWindowTopmost(int windowId, bool topmost) {
    if (HWND w = handleOf(windowId))
        SetWindowPos(w, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Wine keeps a topmost window first in the stacking order, yet a window shown
// later still covers it on the display: Wine restacks only a window that moves
// to the very top. Moving it down and back up again is such a move. Windows
// needs none, and there the move would put the window above other programs'
// windows that stay on top.
void keepWindowOnTop(int windowId) {
    WindowRecord* record = windowRecord(windowId);
    if (!runningUnderWine() || !record || !record->handle) return;
    HWND foreground = GetForegroundWindow();
    // The program that became active raises its own X window when it gets to
    // it, which on a busy machine may be after this tick: the raise is repeated
    // for a few ticks.
    if (foreground != record->lastForeground) {
        record->lastForeground = foreground;
        record->raisesLeft = kRaisesAfterChange;
    }
    if (record->raisesLeft == 0) return;
    --record->raisesLeft;
    HWND w = record->handle;
    auto topmost = [](HWND window) { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    if (!topmost(w) || !IsWindowVisible(w) || IsIconic(w)) return;
    // Another window that stays on top (a menu, a tool of another program) keeps its place.
    if (foreground && foreground != w && topmost(foreground)) return;
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(w, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
    SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0, flags);
}

void setWindowFrame(int windowId, bool caption, bool minimizeBox) {
    HWND w = handleOf(windowId);
    if (!w) return;
    LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE);
    style &= ~static_cast<LONG_PTR>(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    style |= caption ? (WS_CAPTION | WS_SYSMENU) : WS_POPUP;
    if (minimizeBox) style |= WS_MINIMIZEBOX;
    SetWindowLongPtrW(w, GWL_STYLE, style);
}

void setToolWindow(int windowId, bool toolWindow) {
    HWND w = handleOf(windowId);
    if (!w) return;
    LONG_PTR exStyle = GetWindowLongPtrW(w, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_TOOLWINDOW);
    if (toolWindow) exStyle |= WS_EX_TOOLWINDOW;
    SetWindowLongPtrW(w, GWL_EXSTYLE, exStyle);
}

bool isToolWindow(int windowId) {
    HWND w = handleOf(windowId);
    return w && (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
}

void refreshWindowFrame(int windowId) {
    if (HWND w = handleOf(windowId))
        SetWindowPos(w, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void beginWindowDrag(int windowId) {
    HWND w = handleOf(windowId);
    if (!w) return;
    ReleaseCapture();
    SendMessageW(w, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void setWindowColors(int windowId, uint32_t background, uint32_t staticText) {
    WindowRecord* record = windowRecord(windowId);
    if (!record || !record->handle) return;
    if (record->background) DeleteObject(record->background);
    record->background = CreateSolidBrush(background);
    record->backgroundColor = background;
    record->staticTextColor = staticText;
    record->hasColors = true;
    InvalidateRect(record->handle, nullptr, TRUE);
}

void bindSizeHandler(int windowId, void (*handler)(SizeKind kind)) {
    if (WindowRecord* record = windowRecord(windowId)) record->sizeHandler = handler;
}

void bindSessionEndHandler(int windowId, void (*handler)()) {
    if (WindowRecord* record = windowRecord(windowId)) record->sessionEndHandler = handler;
}

void ignoreLoneAltKey(int windowId) {
    if (WindowRecord* record = windowRecord(windowId)) record->ignoreLoneAlt = true;
}

void startTimer(int windowId, int timerId, unsigned milliseconds) {
    if (HWND w = handleOf(windowId)) SetTimer(w, static_cast<UINT_PTR>(timerId), milliseconds, nullptr);
}

void setWindowShortcuts(int windowId, const Shortcut* shortcuts, int count) {
    WindowRecord* record = windowRecord(windowId);
    if (!record) return;
    if (record->shortcuts) DestroyAcceleratorTable(record->shortcuts);
    ACCEL table[64];
    if (count > 64) count = 64;
    for (int i = 0; i < count; ++i) {
        BYTE flags = FVIRTKEY;
        if (shortcuts[i].modifiers & kShortcutShift) flags |= FSHIFT;
        if (shortcuts[i].modifiers & kShortcutControl) flags |= FCONTROL;
        if (shortcuts[i].modifiers & kShortcutAlt) flags |= FALT;
        table[i] = ACCEL{flags, static_cast<WORD>(shortcuts[i].key), static_cast<WORD>(shortcuts[i].command)};
    }
    record->shortcuts = count > 0 ? CreateAcceleratorTableW(table, count) : nullptr;
}

void showBusyPointer(bool busy) { SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW)); }

void setWindowTransparency(int windowId, bool on, int alpha, uint32_t colorKey) {
    HWND w = handleOf(windowId);
    if (!w) return;
    const LONG_PTR exStyle = GetWindowLongPtrW(w, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_LAYERED);
    SetWindowLongPtrW(w, GWL_EXSTYLE, exStyle);
    if (!on) return;
    SetWindowLongPtrW(w, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    if (alpha > 0)
        SetLayeredWindowAttributes(w, 0, static_cast<BYTE>(alpha > 255 ? 255 : alpha), LWA_ALPHA);
    else
        SetLayeredWindowAttributes(w, colorKey, 0, LWA_COLORKEY);
}

void redrawWholeWindow(int windowId) {
    if (HWND w = handleOf(windowId))
        RedrawWindow(w, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

void initUserInterface() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES |
                                                       ICC_UPDOWN_CLASS | ICC_HOTKEY_CLASS};
    InitCommonControlsEx(&controls);
}
