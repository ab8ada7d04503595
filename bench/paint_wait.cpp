#include "paint_wait.h"

#include <commctrl.h>

#include <vector>

// A window counts as painted when (1) it is visible, (2) its thread has answered
// a sent WM_NULL, so the messages that came before have been handled, (3) its
// list view holds the expected rows, which tells a switch that has happened
// from one still queued (a sent message overtakes posted ones); when a typed
// text is given, its field holds it too, since two texts may find as many rows
// and only the text tells a keystroke handled from one still queued; (4) neither
// it nor any visible window of its process, children included, has an update
// region left. Update regions live in the window server, so GetUpdateRect
// answers for another process's windows too. Under Wine 8 that was checked:
// with bErase FALSE it only reads the server's state (nothing is validated, no
// WM_NCPAINT or WM_ERASEBKGND is sent), a window shown but not yet painted
// reports its region, and the region goes once the program has painted.
// A window that passes once may still be invalidated by work its program
// queued for later; a second pass after a short pause confirms it.

namespace {

// Long enough for a fill of 10,000 rows, which blocks the target's thread.
constexpr UINT kRoundTripMs = 120000;

struct ProcessWindows {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM param) {
    auto* found = reinterpret_cast<ProcessWindows*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == found->processId) found->windows.push_back(window);
    return TRUE;
}

std::vector<HWND> topWindowsOf(DWORD processId) {
    ProcessWindows found{processId, {}};
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&found));
    return found.windows;
}

BOOL CALLBACK findPendingChild(HWND child, LPARAM param) {
    if (!IsWindowVisible(child) || !GetUpdateRect(child, nullptr, FALSE)) return TRUE;
    *reinterpret_cast<bool*>(param) = true;
    return FALSE;
}

bool waitsForPaint(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) return true;
    bool pending = false;
    EnumChildWindows(window, findPendingChild, reinterpret_cast<LPARAM>(&pending));
    return pending;
}

// A window may keep a hidden list view beside the one in sight (Kivo's item
// view while Find lists its results): only the one shown counts.
HWND shownListView(HWND window) {
    for (HWND v = FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr); v;
         v = FindWindowExW(window, v, WC_LISTVIEWW, nullptr))
        if (GetWindowLongPtrW(v, GWL_STYLE) & WS_VISIBLE) return v;
    return nullptr;
}

HWND listWindowIn(const std::vector<HWND>& windows, HWND* view, HWND passOver) {
    for (HWND w : windows) {
        if (w == passOver || !IsWindowVisible(w)) continue;
        if (HWND v = shownListView(w)) {
            if (view) *view = v;
            return w;
        }
    }
    return nullptr;
}

bool holdsText(HWND window, const TypedText& typed) {
    HWND field = GetDlgItem(window, typed.controlId);
    wchar_t text[256] = {};
    DWORD_PTR length = 0;
    if (!field || !SendMessageTimeoutW(field, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                                       kRoundTripMs, &length))
        return false;
    if (length > 255) return false;
    return typed.text == std::wstring(text, static_cast<size_t>(length));
}

bool paintedNow(DWORD processId, int rows, const TypedText* typed, HWND passOver) {
    const std::vector<HWND> windows = topWindowsOf(processId);
    HWND view = nullptr;
    HWND main = listWindowIn(windows, &view, passOver);
    if (!main) return false;
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, kRoundTripMs, &answer)) return false;
    if (typed && !holdsText(main, *typed)) return false;
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(view, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, kRoundTripMs, &count)) return false;
    if (static_cast<int>(count) != rows || !IsWindowVisible(main)) return false;
    for (HWND w : windows)
        if (IsWindowVisible(w) && waitsForPaint(w)) return false;
    return true;
}

}  // namespace

double counterMs() {
    static const double frequency = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / frequency;
}

HWND listWindowOf(DWORD processId, HWND* view, HWND passOver) {
    return listWindowIn(topWindowsOf(processId), view, passOver);
}

double waitPainted(DWORD processId, int rows, double timeoutMs, const TypedText* typed, HWND passOver) {
    const double start = counterMs();
    double firstPass = -1;
    while (counterMs() - start < timeoutMs) {
        if (paintedNow(processId, rows, typed, passOver)) {
            const double passed = counterMs();
            if (firstPass >= 0) return firstPass;
            firstPass = passed;
        } else {
            firstPass = -1;
        }
        Sleep(1);
    }
    return -1;
}
