#include "platform/ui_scrolling.h"

#include <algorithm>

#include "platform/ui_scaling.h"

namespace {

constexpr int kLineUnits = 20;  // a step of the arrows, and a third of a wheel notch
constexpr int kFocusMargin = 6;  // units left above or below a control scrolled into sight

int scrollLimit(const WindowRecord& record) { return std::max(0, record.scrollHeight - record.scrollPage); }

void scrollTo(WindowRecord& record, int position) {
    position = std::clamp(position, 0, scrollLimit(record));
    if (position == record.scrollY) return;
    const int by = record.scrollY - position;
    record.scrollY = position;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    info.nPos = position;
    SetScrollInfo(record.handle, SB_VERT, &info, TRUE);
    ScrollWindowEx(record.handle, 0, by, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
}

}  // namespace

void scrollToTop(WindowRecord& record) { scrollTo(record, 0); }

bool setVerticalScrolling(WindowRecord& record, int fullHeight, int visibleHeight) {
    scrollToTop(record);
    const bool scrolls = fullHeight > visibleHeight && visibleHeight > 0;
    record.scrollHeight = scrolls ? fullHeight : 0;
    record.scrollPage = scrolls ? visibleHeight : 0;
    HWND w = record.handle;
    const LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE);
    const LONG_PTR wanted = scrolls ? (style | WS_VSCROLL) : (style & ~static_cast<LONG_PTR>(WS_VSCROLL));
    if (wanted != style) {
        SetWindowLongPtrW(w, GWL_STYLE, wanted);
        SetWindowPos(w, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!scrolls) return false;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = fullHeight - 1;
    info.nPage = static_cast<UINT>(visibleHeight);
    SetScrollInfo(w, SB_VERT, &info, TRUE);
    return true;
}

void onVerticalScroll(WindowRecord& record, WPARAM wParam) {
    const int line = pixelsOf(kLineUnits, record.dpi);
    int position = record.scrollY;
    switch (LOWORD(wParam)) {
        case SB_LINEUP: position -= line; break;
        case SB_LINEDOWN: position += line; break;
        case SB_PAGEUP: position -= record.scrollPage; break;
        case SB_PAGEDOWN: position += record.scrollPage; break;
        case SB_TOP: position = 0; break;
        case SB_BOTTOM: position = scrollLimit(record); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            // The 32-bit position: the message's own has 16 bits.
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_TRACKPOS;
            if (GetScrollInfo(record.handle, SB_VERT, &info)) position = info.nTrackPos;
            break;
        }
        default: return;
    }
    scrollTo(record, position);
}

void onMouseWheel(WindowRecord& record, WPARAM wParam) {
    const int notches = GET_WHEEL_DELTA_WPARAM(wParam);
    scrollTo(record, record.scrollY - MulDiv(notches, 3 * pixelsOf(kLineUnits, record.dpi), WHEEL_DELTA));
}

void scrollFocusIntoView(WindowRecord& record) {
    HWND focus = GetFocus();
    if (record.scrollHeight == 0 || !focus || !IsChild(record.handle, focus)) return;
    // A field inside a combo box or a spin field counts as that control.
    while (GetParent(focus) != record.handle) focus = GetParent(focus);
    RECT r{};
    RECT inner{};
    GetWindowRect(focus, &r);
    MapWindowPoints(nullptr, record.handle, reinterpret_cast<POINT*>(&r), 2);
    GetClientRect(record.handle, &inner);
    const int margin = pixelsOf(kFocusMargin, record.dpi);
    if (r.top < 0)
        scrollTo(record, record.scrollY + r.top - margin);
    else if (r.bottom > inner.bottom)
        scrollTo(record, record.scrollY + r.bottom - inner.bottom + margin);
}
