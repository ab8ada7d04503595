// The rows of the item views, which keep none of their own, and the answers
// to the views' questions about them.
#include <algorithm>

#include <windows.h>
#include <commctrl.h>

#include "platform/shown_text.h"
#include "platform/ui_item_view.h"
#include "platform/ui_window_table.h"

namespace {

struct ItemRowStore {
    ItemImageSource imageSource = nullptr;
    ItemTextSource textSource = nullptr;
    std::vector<StoredRows> views;  // one for each item view there is
};
ItemRowStore itemRowStore;

std::vector<ItemRow>* rowsOf(HWND view) {
    StoredRows* stored = storedOf(view);
    return stored ? &stored->rows : nullptr;
}

const ItemRow* rowOf(HWND view, int row) {
    const std::vector<ItemRow>* rows = rowsOf(view);
    return rows && row >= 0 && static_cast<size_t>(row) < rows->size() ? &(*rows)[static_cast<size_t>(row)] : nullptr;
}

// Wine's list view lays an icon view out by moving each of its rows, and while
// it redraws every move measures the row's label to invalidate it: seconds for
// a long category. Laid out while it does not redraw, it only notes the places.
constexpr UINT kArrangingMessages[] = {WM_SIZE, WM_SETFONT, LVM_SETICONSPACING, LVM_SETIMAGELIST};
constexpr UINT_PTR kQuietArrange = 2;

LRESULT CALLBACK arrangeQuietly(HWND view, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_NCDESTROY) {
        std::erase_if(itemRowStore.views, [&](const StoredRows& stored) { return stored.view == view; });
        RemoveWindowSubclass(view, arrangeQuietly, kQuietArrange);
        return DefSubclassProc(view, message, wParam, lParam);
    }
    const StoredRows* stored = storedOf(view);
    const bool arranging = std::find(std::begin(kArrangingMessages), std::end(kArrangingMessages), message) !=
                           std::end(kArrangingMessages);
    if (!arranging || !stored || !stored->redrawing || !isIconView(view))
        return DefSubclassProc(view, message, wParam, lParam);
    SendMessageW(view, WM_SETREDRAW, FALSE, 0);
    const LRESULT result = DefSubclassProc(view, message, wParam, lParam);
    SendMessageW(view, LVM_ARRANGE, LVA_DEFAULT, 0);
    SendMessageW(view, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(view, nullptr, TRUE);
    return result;
}

}  // namespace

StoredRows* storedOf(HWND view) {
    for (StoredRows& stored : itemRowStore.views)
        if (stored.view == view) return &stored;
    return nullptr;
}

std::wstring textOfRow(const StoredRows& stored, size_t row) {
    if (row < stored.texts.size()) return stored.texts[row];
    if (row >= stored.rows.size() || !itemRowStore.textSource) return std::wstring();
    const std::wstring text =
        itemRowStore.textSource(stored.windowId, stored.controlId, stored.rows[row].data);
    return text.size() > kShownTextLength ? shownText(text) : text;
}

void setViewRedraw(HWND view, bool redraw) {
    if (StoredRows* stored = storedOf(view)) stored->redrawing = redraw;
    SendMessageW(view, WM_SETREDRAW, redraw, 0);
}

bool isIconView(HWND view) { return (GetWindowLongPtrW(view, GWL_STYLE) & LVS_TYPEMASK) == LVS_ICON; }

void drawEmptyOnce(HWND view) {
    HDC screen = GetDC(view);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 1, 1);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageW(view, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(view, screen);
}

int imageSlotOf(HWND view) {
    return (GetWindowLongPtrW(view, GWL_STYLE) & LVS_TYPEMASK) == LVS_ICON ? LVSIL_NORMAL : LVSIL_SMALL;
}

void setItemImageSource(ItemImageSource source) { itemRowStore.imageSource = source; }

void setItemTextSource(ItemTextSource source) { itemRowStore.textSource = source; }

void keepItemRows(HWND view, int windowId, int controlId) {
    std::erase_if(itemRowStore.views, [&](const StoredRows& stored) { return !IsWindow(stored.view) || stored.view == view; });
    itemRowStore.views.push_back(StoredRows{view, windowId, controlId, {}, {}, true});
    SetWindowSubclass(view, arrangeQuietly, kQuietArrange, 0);
}

bool isStoredItemView(HWND view) { return rowsOf(view) != nullptr; }

int storedRowData(HWND view, int row) {
    const ItemRow* found = rowOf(view, row);
    return found ? found->data : -1;
}

void answerItemDisplayInfo(int windowId, LPARAM displayInfo) {
    NMLVDISPINFOW& info = *reinterpret_cast<NMLVDISPINFOW*>(displayInfo);
    if (isResultView(info.hdr.hwndFrom)) {
        answerResultDisplayInfo(windowId, info);
        return;
    }
    HWND view = info.hdr.hwndFrom;
    StoredRows* stored = storedOf(view);
    const int index = info.item.iItem;
    if (!stored || index < 0 || static_cast<size_t>(index) >= stored->rows.size()) return;
    ItemRow& row = stored->rows[static_cast<size_t>(index)];
    // A view without rows of its own has no data for a program that reads it
    // from outside (accessibility tools, test probes) to ask: the row's data is
    // the text of a second column that is never shown.
    if (info.item.iSubItem == 1 && (info.item.mask & LVIF_TEXT) && info.item.pszText && info.item.cchTextMax > 0)
        lstrcpynW(info.item.pszText, std::to_wstring(row.data).c_str(), info.item.cchTextMax);
    if (info.item.iSubItem != 0) return;
    if ((info.item.mask & LVIF_TEXT) && info.item.pszText && info.item.cchTextMax > 0)
        lstrcpynW(info.item.pszText, textOfRow(*stored, static_cast<size_t>(index)).c_str(), info.item.cchTextMax);
    if ((info.item.mask & LVIF_PARAM)) info.item.lParam = row.data;
    if (!(info.item.mask & LVIF_IMAGE)) return;
    if (row.image == kRowImageLater && itemRowStore.imageSource) {
        const IconSize size = imageSlotOf(view) == LVSIL_NORMAL ? IconSize::Large : IconSize::Small;
        // Kept with the row: asked again only when the source could not say yet.
        row.image = itemRowStore.imageSource(windowId, static_cast<int>(info.hdr.idFrom), row.data, size);
        if (row.image == kRowImageLater) {
            info.item.iImage = I_IMAGENONE;
            return;
        }
    }
    info.item.iImage = row.image < 0 ? I_IMAGENONE : row.image;
}

LRESULT answerItemFind(const NMLVFINDITEMW& find) {
    const StoredRows* stored = storedOf(find.hdr.hwndFrom);
    if (!stored || stored->rows.empty() || !(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz)
        return -1;
    const std::wstring wanted = find.lvfi.psz;
    const size_t count = stored->rows.size();
    const size_t start = find.iStart >= 0 && static_cast<size_t>(find.iStart) < count ? static_cast<size_t>(find.iStart) : 0;
    // Typing the first letters of a row goes to it, from the row after the
    // focused one on and round again, as in a list that keeps its rows.
    for (size_t n = 0; n < count; ++n) {
        const size_t i = (start + n) % count;
        const std::wstring text = textOfRow(*stored, i);
        const bool partial = (find.lvfi.flags & LVFI_PARTIAL) != 0;
        if (text.size() < wanted.size() || (!partial && text.size() != wanted.size())) continue;
        if (CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, text.c_str(), static_cast<int>(wanted.size()),
                           wanted.c_str(), static_cast<int>(wanted.size())) == CSTR_EQUAL)
            return static_cast<LRESULT>(i);
        if (!(find.lvfi.flags & LVFI_WRAP) && i + 1 == count) break;
    }
    return -1;
}
