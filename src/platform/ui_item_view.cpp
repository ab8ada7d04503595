#include "platform/ui_item_view.h"

#include <algorithm>
#include <climits>

#include <windows.h>
#include <commctrl.h>

#include "platform/shown_text.h"
#include "platform/ui_scaling.h"
#include "platform/ui_window_table.h"

namespace {

struct ItemViewSetup {
    // The view being filled: finding a control by its number asks the system
    // for the window's children, too slow to do for every one of many rows.
    int fillWindowId = -1;
    int fillControlId = -1;
    HWND fillView = nullptr;
};
ItemViewSetup itemViewSetup;

HWND viewOf(int windowId, int controlId);

// The rows of the view being filled (see fillView), or of the one named.
StoredRows* filledRows(int windowId, int controlId) {
    const ItemViewSetup& setup = itemViewSetup;
    HWND view = windowId == setup.fillWindowId && controlId == setup.fillControlId && IsWindow(setup.fillView)
                    ? setup.fillView
                    : viewOf(windowId, controlId);
    return view ? storedOf(view) : nullptr;
}

HWND viewOf(int windowId, int controlId) {
    HWND view = controlHandle(windowId, controlId);
    return isItemViewControl(view) ? view : nullptr;
}

BOOL CALLBACK detachFromView(HWND child, LPARAM images) {
    if (!isItemViewControl(child)) return TRUE;
    for (WPARAM slot : {WPARAM{LVSIL_NORMAL}, WPARAM{LVSIL_SMALL}}) {
        if (SendMessageW(child, LVM_GETIMAGELIST, slot, 0) == images) SendMessageW(child, LVM_SETIMAGELIST, slot, 0);
    }
    return TRUE;
}

DWORD viewStyleOf(ItemViewMode mode) {
    switch (mode) {
        case ItemViewMode::LargeIcons: return LVS_ICON;
        case ItemViewMode::SmallIcons: return LVS_LIST;
        case ItemViewMode::SingleColumn: return LVS_REPORT;
    }
    return LVS_ICON;
}

// Wine's list view paints the band below the last row of its list mode black
// when it draws through its own buffer: there, and only there, it draws directly.
void chooseBuffering(HWND view, ItemViewMode mode) {
    const bool direct = mode == ItemViewMode::SmallIcons && runningUnderWine();
    SendMessageW(view, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_DOUBLEBUFFER, direct ? 0 : LVS_EX_DOUBLEBUFFER);
}

}  // namespace

void setItemViewMode(HWND view, ItemViewMode mode, void* images) {
    const LONG_PTR style = GetWindowLongPtrW(view, GWL_STYLE);
    const LONG_PTR type = static_cast<LONG_PTR>(viewStyleOf(mode));
    // Wine repaints the frame and scroll bar of a view whose style is set, even
    // to the style it has: Find would pay that for every letter typed.
    if ((style & LVS_TYPEMASK) != type)
        SetWindowLongPtrW(view, GWL_STYLE, (style & ~static_cast<LONG_PTR>(LVS_TYPEMASK)) | type);
    chooseBuffering(view, mode);
    SendMessageW(view, LVM_SETIMAGELIST, static_cast<WPARAM>(imageSlotOf(view)), reinterpret_cast<LPARAM>(images));
}

bool itemViewInMode(HWND view, ItemViewMode mode, void* images) {
    return (GetWindowLongPtrW(view, GWL_STYLE) & LVS_TYPEMASK) == static_cast<LONG_PTR>(viewStyleOf(mode)) &&
           SendMessageW(view, LVM_GETIMAGELIST, static_cast<WPARAM>(imageSlotOf(view)), 0) ==
               reinterpret_cast<LRESULT>(images);
}

void detachItemViewImages(void* images) {
    for (int id = 0; id < kWindowCount; ++id) {
        const WindowRecord* record = windowRecord(id);
        if (record && record->handle) EnumChildWindows(record->handle, detachFromView, reinterpret_cast<LPARAM>(images));
    }
}

bool beginItemViewFill(int windowId, int controlId, ItemViewMode mode, void* images, int rowsExpected) {
    HWND view = viewOf(windowId, controlId);
    itemViewSetup.fillWindowId = windowId;
    itemViewSetup.fillControlId = controlId;
    itemViewSetup.fillView = view;
    if (!view) return false;
    SendMessageW(view, LVM_SETITEMCOUNT, 0, 0);
    if (StoredRows* stored = storedOf(view)) {
        // Made anew rather than emptied: a long category shown before keeps
        // no memory for the short one shown now.
        stored->rows = std::vector<ItemRow>();
        stored->rows.reserve(static_cast<size_t>(std::max(rowsExpected, 0)));
        stored->texts = std::vector<std::wstring>();
    }
    showBusyPointer(true);
    setViewRedraw(view, false);
    setItemViewMode(view, mode, images);
    return true;
}

int appendItemRow(int windowId, int controlId, const std::wstring& text, int image, int data) {
    StoredRows* stored = filledRows(windowId, controlId);
    if (!stored) return -1;
    stored->texts.resize(stored->rows.size());
    stored->texts.push_back(text.size() > kShownTextLength ? shownText(text) : text);
    stored->rows.push_back(ItemRow{image, data});
    return static_cast<int>(stored->rows.size()) - 1;
}

int appendSourcedRow(int windowId, int controlId, int image, int data) {
    StoredRows* stored = filledRows(windowId, controlId);
    if (!stored) return -1;
    stored->rows.push_back(ItemRow{image, data});
    return static_cast<int>(stored->rows.size()) - 1;
}

void endItemViewFill(int windowId, int controlId, int selectRow) {
    itemViewSetup.fillWindowId = -1;
    itemViewSetup.fillView = nullptr;
    HWND view = viewOf(windowId, controlId);
    if (!view) return;
    const StoredRows* stored = storedOf(view);
    drawEmptyOnce(view);
    SendMessageW(view, LVM_SETITEMCOUNT, stored ? static_cast<WPARAM>(stored->rows.size()) : 0, LVSICF_NOINVALIDATEALL);
    if (isIconView(view)) SendMessageW(view, LVM_ARRANGE, LVA_DEFAULT, 0);
    // Only a view that redraws works out its scroll bars: the column is fitted
    // and the row scrolled to after that, or both go by the view without them.
    setViewRedraw(view, true);
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
    // Unchoosing all rows at once costs Wine a step for every row of the view:
    // only the chosen ones and the focused one are unchosen.
    if (SendMessageW(view, LVM_GETSELECTEDCOUNT, 0, 0) > 0) {
        WPARAM chosen = static_cast<WPARAM>(-1);
        while ((chosen = static_cast<WPARAM>(SendMessageW(view, LVM_GETNEXTITEM, chosen, LVNI_SELECTED))) !=
               static_cast<WPARAM>(-1))
            SendMessageW(view, LVM_SETITEMSTATE, chosen, reinterpret_cast<LPARAM>(&state));
    }
    const LRESULT focused = SendMessageW(view, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED);
    if (focused >= 0) SendMessageW(view, LVM_SETITEMSTATE, static_cast<WPARAM>(focused), reinterpret_cast<LPARAM>(&state));
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
    // A result view keeps no data with its rows: they are numbered.
    if (isResultView(view)) return row < SendMessageW(view, LVM_GETITEMCOUNT, 0, 0) ? row : -1;
    return storedRowData(view, row);
}

int itemRowOfData(int windowId, int controlId, int data) {
    const StoredRows* stored = storedOf(viewOf(windowId, controlId));
    if (!stored) return -1;
    const std::vector<ItemRow>& rows = stored->rows;
    const auto found = std::find_if(rows.begin(), rows.end(), [&](const ItemRow& row) { return row.data == data; });
    return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
}

std::wstring itemRowText(int windowId, int controlId, int row) {
    HWND view = viewOf(windowId, controlId);
    if (!view || row < 0) return std::wstring();
    if (const StoredRows* stored = storedOf(view))
        return static_cast<size_t>(row) < stored->rows.size() ? textOfRow(*stored, static_cast<size_t>(row))
                                                                : std::wstring();
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
    HWND view = viewOf(windowId, controlId);
    WindowRecord* record = windowRecord(windowId);
    if (!view) return;
    if (ControlPlace* place = placeOf(*record, view)) {
        place->spacingX = horizontal;
        place->spacingY = vertical;
        applyIconSpacing(*record, *place);
    }
}

void setItemViewLook(int windowId, int controlId, void* font, uint32_t textColor, uint32_t backgroundColor) {
    HWND view = viewOf(windowId, controlId);
    if (!view) return;
    if (font) giveFont(*windowRecord(windowId), view, static_cast<HFONT>(font), false);
    SendMessageW(view, LVM_SETBKCOLOR, 0, backgroundColor);
    SendMessageW(view, LVM_SETTEXTBKCOLOR, 0, backgroundColor);
    SendMessageW(view, LVM_SETTEXTCOLOR, 0, textColor);
    InvalidateRect(view, nullptr, TRUE);
}

void fitItemViewColumn(int windowId, int controlId) {
    if (HWND view = viewOf(windowId, controlId)) fitSingleColumn(view);
}

void fitSingleColumn(HWND view) {
    // What LVSCW_AUTOSIZE_USEHEADER does for the one column, which Wine works
    // out by measuring the text of every row first: a tenth of a second for
    // 100,000 rows that the view has to ask for one by one.
    RECT inner{};
    if (!GetClientRect(view, &inner)) return;
    const LRESULT width = inner.right - inner.left;
    if (SendMessageW(view, LVM_GETCOLUMNWIDTH, 0, 0) != width) SendMessageW(view, LVM_SETCOLUMNWIDTH, 0, width);
}
