#include "platform/ui_panel_controls.h"

#include <windows.h>

#include <vector>

#include "platform/ui_scaling.h"
#include "platform/ui_window_table.h"

namespace {

struct Link {
    HWND control = nullptr;
    COLORREF color = 0;
    COLORREF hotColor = 0;
};

struct LinkTable {
    std::vector<Link> links;
    HWND hot = nullptr;  // the link under the pointer
};
LinkTable linkTable;

Link* linkOf(HWND control) {
    for (Link& link : linkTable.links)
        if (link.control == control) return &link;
    return nullptr;
}

}  // namespace

bool addTextControl(int windowId, int controlId, int x, int y, int width, int height, const std::wstring& text,
                    bool sunkenEdge) {
    const DWORD style = SS_LEFT | SS_NOPREFIX | (sunkenEdge ? SS_SUNKEN : 0);
    return createChildControl(windowId, controlId, L"STATIC", style, x, y, width, height, text) != nullptr;
}

bool addIconControl(int windowId, int controlId, int x, int y, int width, int height, void* icon) {
    HWND control = createChildControl(windowId, controlId, L"STATIC", SS_ICON | SS_REALSIZECONTROL, x, y, width,
                                      height, L"");
    if (!control) return false;
    SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    // The icon resizes the control to its own size; the place is the caller's.
    placeControl(*windowRecord(windowId), control, x, y, width, height);
    return true;
}

bool addLinkControl(int windowId, int controlId, int x, int y, int width, int height, const std::wstring& text,
                    uint32_t color, uint32_t hotColor) {
    HWND control =
        createChildControl(windowId, controlId, L"STATIC", SS_LEFT | SS_NOTIFY | SS_NOPREFIX, x, y, width, height, text);
    if (!control) return false;
    linkTable.links.push_back(Link{control, color, hotColor});
    return true;
}

void setLabelColor(int windowId, int controlId, uint32_t color) {
    HWND control = controlHandle(windowId, controlId);
    if (!control) return;
    // A link that keeps its colour under the pointer.
    if (Link* link = linkOf(control)) {
        link->color = link->hotColor = color;
    } else {
        linkTable.links.push_back(Link{control, color, color});
    }
    InvalidateRect(control, nullptr, TRUE);
}

void fitControlToText(int windowId, int controlId) {
    if (HWND control = controlHandle(windowId, controlId)) fitToText(*windowRecord(windowId), control);
}

bool linkColors(HWND control, HDC dc) {
    const Link* link = linkOf(control);
    if (!link) return false;
    SetTextColor(dc, control == linkTable.hot ? link->hotColor : link->color);
    SetBkMode(dc, TRANSPARENT);
    return true;
}

void useDialogColors(int windowId) {
    setWindowColors(windowId, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT));
}

void trackHotLink(HWND under) {
    HWND hot = linkOf(under) ? under : nullptr;
    if (hot == linkTable.hot) return;
    HWND previous = linkTable.hot;
    linkTable.hot = hot;
    if (previous) InvalidateRect(previous, nullptr, TRUE);
    if (hot) InvalidateRect(hot, nullptr, TRUE);
}

void forgetLinksOf(HWND window) {
    std::erase_if(linkTable.links, [window](const Link& link) { return GetParent(link.control) == window; });
    if (linkTable.hot && !linkOf(linkTable.hot)) linkTable.hot = nullptr;
}
