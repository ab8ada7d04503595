#include "bare_window.h"

HWND createBareWindow(HINSTANCE instance, WNDPROC procedure, const wchar_t* className) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = className;
    RegisterClassW(&wc);
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    RECT outer{0, 0, kBareInnerWidth, kBareInnerHeight};
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    return CreateWindowExW(0, className, L"Bare launcher", style, 200, 200, outer.right - outer.left,
                           outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
}
