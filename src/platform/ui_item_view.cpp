#include "platform/ui_item_view.h"

#include <windows.h>
#include <commctrl.h>

#include "platform/ui_window_table.h"

namespace {

HWND viewOf(int windowId, int controlId) {
    HWND view = controlHandle(windowId, controlId);
    return isItemViewControl(view) ? view : nullptr;
}

DWORD viewStyleOf(ItemViewMode mode) {
    switch (mode) {
        case ItemViewMode::LargeIcons: return LVS_ICON;
        case ItemViewMode::SmallIcons: return LVS_LIST;
        case ItemViewMode::SingleColumn: return LVS_REPORT;
    }
    return LVS_ICON;
}

// A fresh image list for the view's icon size; the one it replaces is freed.
void replaceImageList(HWND view, ItemViewMode mode) {
    const bool large = mode == ItemViewMode::LargeIcons;
    const int which = large ? LVSIL_NORMAL : LVSIL_SMALL;
    const int cx = GetSystemMetrics(large ? SM_CXICON : SM_CXSMICON);
    const int cy = GetSystemMetrics(large ? SM_CYICON : SM_CYSMICON);
    HIMAGELIST images = ImageList_Create(cx, cy, ILC_COLOR32 | ILC_MASK, 16, 16);
    HIMAGELIST old = reinterpret_cast<HIMAGELIST>(
        SendMessageW(view, LVM_SETIMAGELIST, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(images)));
    if (old && old != images) ImageList_Destroy(old);
}

// Wine's list view paints the band below the last row of its list mode black
// when it draws through its own buffer: there, and only there, it draws directly.
void chooseBuffering(HWND view, ItemViewMode mode) {
    const bool direct = mode == ItemViewMode::SmallIcons && runningUnderWine();
    SendMessageW(view, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_DOUBLEBUFFER, direct ? 0 : LVS_EX_DOUBLEBUFFER);
}

}  // namespace

bool beginItemViewFill(int windowId, int controlId, ItemViewMode mode) {
    HWND view = viewOf(windowId, controlId);
    if (!view) return false;
    SendMessageW(view, LVM_DELETEALLITEMS, 0, 0);
    showBusyPointer(true);
    LONG_PTR style = GetWindowLongPtrW(view, GWL_STYLE) & ~static_cast<LONG_PTR>(LVS_TYPEMASK);
    SetWindowLongPtrW(view, GWL_STYLE, style | static_cast<LONG_PTR>(viewStyleOf(mode)));
    chooseBuffering(view, mode);
    replaceImageList(view, mode);
    SendMessageW(view, WM_SETREDRAW, FALSE, 0);
    return true;
}

int appendItemRow(int windowId, int controlId, const std::wstring& text, void* icon, int data) {
    HWND view = viewOf(windowId, controlId);
    if (!view) return -1;
    const bool large = (GetWindowLongPtrW(view, GWL_STYLE) & LVS_TYPEMASK) == LVS_ICON;
    int image = I_IMAGENONE;
    if (icon) {
        HIMAGELIST images = reinterpret_cast<HIMAGELIST>(
            SendMessageW(view, LVM_GETIMAGELIST, static_cast<WPARAM>(large ? LVSIL_NORMAL : LVSIL_SMALL), 0));
        if (images) image = ImageList_AddIcon(images, static_cast<HICON>(icon));
        if (image < 0) image = I_IMAGENONE;
    }
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = static_cast<int>(SendMessageW(view, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<wchar_t*>(text.c_str());
    item.iImage = image;
    item.lParam = data;
    return static_cast<int>(SendMessageW(view, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void endItemViewFill(int windowId, int controlId, int selectRow) {
    HWND view = viewOf(windowId, controlId);
    if (!view) return;
    // Only a view that redraws works out its scroll bars: the column is fitted
    // and the row scrolled to after that, or both go by the view without them.
    SendMessageW(view, WM_SETREDRAW, TRUE, 0);
    if ((GetWindowLongPtrW(view, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT) fitItemViewColumn(windowId, controlId);
    if (selectRow >= 0) selectItemRow(windowId, controlId, selectRow);
    InvalidateRect(view, nullptr, TRUE);
    showBusyPointer(false);
}

int itemRowCount(int windowId, int controlId) {
    HWND view = viewOf(windowId, controlId);
    return view ? static_cast<int>(SendMessageW(view, LVM_GETITEMCOUNT, 0, 0)) : 0;
}

void selectItemRow(int windowId, int controlId, int row) {
    HWND view = viewOf(windowId, controlId);
    if (!view) return;
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = 0;
    SendMessageW(view, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    if (row < 0) return;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(view, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
    SendMessageW(view, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

int selectedItemRow(int windowId, int controlId) {
    HWND view = viewOf(windowId, controlId);
    return view ? static_cast<int>(SendMessageW(view, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)) : -1;
}

int focusedItemRow(int windowId, int controlId) {
    HWND view = viewOf(windowId, controlId);
    return view ? static_cast<int>(SendMessageW(view, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)) : -1;
}

bool itemRowSelected(int windowId, int controlId, int row) {
    HWND view = viewOf(windowId, controlId);
    return view && row >= 0 &&
           (SendMessageW(view, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

std::vector<int> selectedItemRows(int windowId, int controlId) {
    std::vector<int> rows;
    HWND view = viewOf(windowId, controlId);
    if (!view) return rows;
    int row = -1;
    while ((row = static_cast<int>(SendMessageW(view, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED))) >= 0)
        rows.push_back(row);
    return rows;
}

int itemRowData(int windowId, int controlId, int row) {
    HWND view = viewOf(windowId, controlId);
    if (!view || row < 0) return -1;
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageW(view, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return -1;
    return static_cast<int>(item.lParam);
}

std::wstring itemRowText(int windowId, int controlId, int row) {
    HWND view = viewOf(windowId, controlId);
    if (!view || row < 0) return std::wstring();
    std::wstring text(1024, L'\0');
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    const LRESULT length =
        SendMessageW(view, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    text.resize(static_cast<size_t>(length));
    return text;
}

bool itemRowInSight(int windowId, int controlId, int row) {
    HWND view = viewOf(windowId, controlId);
    RECT rowRect{};
    rowRect.left = LVIR_BOUNDS;
    RECT inner{};
    if (!view || !SendMessageW(view, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rowRect)) ||
        !GetClientRect(view, &inner))
        return false;
    return rowRect.left >= inner.left && rowRect.top >= inner.top && rowRect.right <= inner.right &&
           rowRect.bottom <= inner.bottom;
}

bool itemViewScrollsSideways(int windowId, int controlId) {
    HWND view = viewOf(windowId, controlId);
    return view && (GetWindowLongPtrW(view, GWL_STYLE) & WS_HSCROLL) != 0;
}

void setItemViewSpacing(int windowId, int controlId, int horizontal, int vertical) {
    if (HWND view = viewOf(windowId, controlId))
        SendMessageW(view, LVM_SETICONSPACING, 0, MAKELPARAM(horizontal, vertical));
}

void setItemViewLook(int windowId, int controlId, void* font, uint32_t textColor, uint32_t backgroundColor) {
    HWND view = viewOf(windowId, controlId);
    if (!view) return;
    if (font) SendMessageW(view, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(view, LVM_SETBKCOLOR, 0, backgroundColor);
    SendMessageW(view, LVM_SETTEXTBKCOLOR, 0, backgroundColor);
    SendMessageW(view, LVM_SETTEXTCOLOR, 0, textColor);
    InvalidateRect(view, nullptr, TRUE);
}

void fitItemViewColumn(int windowId, int controlId) {
    if (HWND view = viewOf(windowId, controlId))
        SendMessageW(view, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE_USEHEADER);
}
