#include "platform/ui_controls.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "platform/ui_scaling.h"
#include "platform/ui_window_table.h"

HWND createChildControl(int windowId, int controlId, const wchar_t* className, DWORD style, int x, int y, int width,
                        int height, const std::wstring& text, DWORD exStyle) {
    WindowRecord* record = windowRecord(windowId);
    if (!record || !record->handle || controlHandle(windowId, controlId)) return nullptr;
    const int dpi = record->dpi;
    HWND control = CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, pixelsOf(x, dpi),
                                   pixelsOf(y, dpi), pixelsOf(width, dpi), pixelsOf(height, dpi), record->handle,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), GetModuleHandleW(nullptr),
                                   nullptr);
    if (!control) return nullptr;
    record->places.push_back(ControlPlace{control, x, y, width, height});
    giveDefaultFont(*record, control);
    return control;
}

// The tip window has no owner: under Wine a window that owns a topmost window
// cannot be made topmost itself, and the tips would keep the launcher from
// staying on top. Unowned, it must be destroyed with its window (closeWindow).
HWND tipWindow(WindowRecord& record) {
    if (!record.tips) {
        record.tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
    }
    return record.tips;
}

HWND controlHandle(int windowId, int controlId) {
    HWND window = static_cast<HWND>(windowHandle(windowId));
    return window ? GetDlgItem(window, controlId) : nullptr;
}

bool isItemViewControl(HWND control) {
    wchar_t name[32] = {};
    return control && GetClassNameW(control, name, 32) > 0 && lstrcmpiW(name, WC_LISTVIEWW) == 0;
}

bool addStaticControl(int windowId, int controlId, int x, int y, int width, int height, const std::wstring& text,
                      bool ellipsis) {
    // Without the ellipsis a centred text too long is cut at both ends, and it
    // draws beyond the control (static controls paint on their parent).
    const DWORD style = SS_CENTER | SS_CENTERIMAGE | SS_NOTIFY | SS_NOPREFIX | (ellipsis ? SS_ENDELLIPSIS : 0);
    return createChildControl(windowId, controlId, L"STATIC", style, x, y, width, height, text) != nullptr;
}

bool addItemView(int windowId, int controlId, int x, int y, int width, int height, int columnWidth,
                 const std::wstring& columnTitle, bool multipleSelection) {
    const DWORD selection = multipleSelection ? 0 : LVS_SINGLESEL;
    HWND view = createChildControl(windowId, controlId, WC_LISTVIEWW,
                                   selection | LVS_OWNERDATA | LVS_NOCOLUMNHEADER | LVS_AUTOARRANGE | LVS_SHOWSELALWAYS |
                                       LVS_SHAREIMAGELISTS | WS_TABSTOP,
                                   x, y, width, height, L"");
    if (!view) return false;
    keepItemRows(view, windowId, controlId);
    SetWindowLongPtrW(view, GWL_EXSTYLE, GetWindowLongPtrW(view, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
    const DWORD extended =
        LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP | (multipleSelection ? static_cast<DWORD>(LVS_EX_FULLROWSELECT) : 0);
    SendMessageW(view, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.cx = pixelsOf(columnWidth, windowDpi(windowId));
    column.pszText = const_cast<wchar_t*>(columnTitle.c_str());
    SendMessageW(view, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    DragAcceptFiles(view, TRUE);
    SetWindowPos(view, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    WindowRecord& record = *windowRecord(windowId);
    applyIconSpacing(record, *placeOf(record, view));
    return true;
}

bool setControlTip(int windowId, int controlId, const std::wstring& text) {
    WindowRecord* record = windowRecord(windowId);
    HWND control = controlHandle(windowId, controlId);
    if (!record || !control) return false;
    HWND tips = tipWindow(*record);
    if (!tips) return false;
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = record->handle;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(tips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
}

bool setControlEnabled(int windowId, int controlId, bool enabled) {
    HWND control = controlHandle(windowId, controlId);
    if (!control) return false;
    EnableWindow(control, enabled ? TRUE : FALSE);
    return true;
}

bool controlEnabled(int windowId, int controlId) {
    HWND control = controlHandle(windowId, controlId);
    return control && IsWindowEnabled(control);
}

void setControlText(int windowId, int controlId, const std::wstring& text) {
    HWND control = controlHandle(windowId, controlId);
    if (!control) return;
    WindowRecord* record = windowRecord(windowId);
    record->settingText = true;
    SetWindowTextW(control, text.c_str());
    record->settingText = false;
}

void setControlVisible(int windowId, int controlId, bool visible) {
    if (HWND control = controlHandle(windowId, controlId)) ShowWindow(control, visible ? SW_SHOWNA : SW_HIDE);
}

std::wstring controlText(int windowId, int controlId) {
    HWND control = controlHandle(windowId, controlId);
    if (!control) return std::wstring();
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

void setControlFont(int windowId, int controlId, void* font) {
    if (HWND control = controlHandle(windowId, controlId))
        giveFont(*windowRecord(windowId), control, static_cast<HFONT>(font), true);
}

void setFocusTo(int windowId, int controlId) {
    if (HWND control = controlHandle(windowId, controlId)) SetFocus(control);
}

// Where the program put the control, not its pixels read back: a box in units
// that went to pixels and back could be a unit off.
ControlBox controlBox(int windowId, int controlId) {
    HWND control = controlHandle(windowId, controlId);
    if (!control) return ControlBox{};
    if (const ControlPlace* place = placeOf(*windowRecord(windowId), control))
        return ControlBox{place->x, place->y, place->width, place->height};
    RECT r{};
    if (!GetWindowRect(control, &r)) return ControlBox{};
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    const int dpi = windowDpi(windowId);
    return ControlBox{unitsOf(r.left, dpi), unitsOf(r.top, dpi), unitsOf(r.right - r.left, dpi),
                      unitsOf(r.bottom - r.top, dpi)};
}

void moveControl(int windowId, int controlId, const ControlBox& box) {
    if (HWND control = controlHandle(windowId, controlId))
        placeControl(*windowRecord(windowId), control, box.x, box.y, box.width, box.height);
}

void redrawArea(int windowId, const ControlBox& area) {
    HWND window = static_cast<HWND>(windowHandle(windowId));
    const int dpi = windowDpi(windowId);
    const RECT r{pixelsOf(area.x, dpi), pixelsOf(area.y, dpi), pixelsOf(area.x + area.width, dpi),
                 pixelsOf(area.y + area.height, dpi)};
    if (window) RedrawWindow(window, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}
