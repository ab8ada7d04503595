#include "platform/ui_result_view.h"

#include <windows.h>
#include <commctrl.h>

#include "platform/shown_text.h"
#include "platform/ui_scaling.h"
#include "platform/ui_window_table.h"
#include "platform/ui_windows.h"

namespace {

// Where the rows come from, and the tip text lent to the tip window.
struct ResultViews {
    ResultRowSource rowSource = nullptr;
    ItemImageSource imageSource = nullptr;
    IconSize rowIcons = IconSize::Small;  // of the image list the rows draw from
    std::wstring tipText;  // what the tip window shows, until it asks again
    std::wstring noRowsText;  // said in a list without rows; empty to say nothing
};
ResultViews resultViews;
constexpr UINT_PTR kRowWatch = 1;
constexpr UINT_PTR kNoRowsSaying = 2;
constexpr int kNoRowsTop = 12;
constexpr int kTipWidth = 400;
constexpr size_t kTipPartLength = 480;

HWND resultViewOf(int windowId, int controlId) {
    HWND view = controlHandle(windowId, controlId);
    return isResultView(view) ? view : nullptr;
}

void copyText(const std::wstring* text, wchar_t* to, int capacity) {
    if (!to || capacity <= 0) return;
    lstrcpynW(to, text ? text->c_str() : L"", capacity);
}

bool rowTexts(int windowId, const NMHDR& header, int row, ResultRowTexts& texts) {
    const ResultRowSource source = resultViews.rowSource;
    return source && row >= 0 && source(windowId, static_cast<int>(header.idFrom), row, texts);
}

// Taking the choice from all rows at once costs Wine a step for every row of
// the list before, thousands of them after one typed letter; a list of one
// chosen row has at most one chosen and one focused row to clear.
void clearChosenRow(HWND view) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    for (LPARAM which : {LPARAM{LVNI_SELECTED}, LPARAM{LVNI_FOCUSED}}) {
        const LRESULT row = SendMessageW(view, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), which);
        if (row >= 0) SendMessageW(view, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
    }
}

int rowUnderPointer(HWND view) {
    LVHITTESTINFO hit{};
    if (!GetCursorPos(&hit.pt) || !ScreenToClient(view, &hit.pt)) return -1;
    const LRESULT row = SendMessageW(view, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    return (hit.flags & LVHT_ONITEM) ? static_cast<int>(row) : -1;
}

// The list's own tips cannot name a row's category under Wine, so the window's
// tip window watches the whole list and is told when the pointer reaches
// another row: its tip goes, and the next one, asked for anew, names that row.
// The row last under the pointer, plus one, is the watch's data.
LRESULT CALLBACK watchRows(HWND view, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR lastRow) {
    if (message == WM_MOUSEMOVE) {
        const int row = rowUnderPointer(view);
        if (static_cast<DWORD_PTR>(row + 1) != lastRow) {
            SetWindowSubclass(view, watchRows, kRowWatch, static_cast<DWORD_PTR>(row + 1));
            const WindowRecord* record = windowRecord(windowIdOf(view));
            if (record && record->tips) SendMessageW(record->tips, TTM_POP, 0, 0);
        }
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(view, watchRows, kRowWatch);
    }
    return DefSubclassProc(view, message, wParam, lParam);
}

void addRowTips(int windowId, HWND view) {
    WindowRecord* record = windowRecord(windowId);
    HWND tips = record ? tipWindow(*record) : nullptr;
    if (!tips || !SetWindowSubclass(view, watchRows, kRowWatch, 0)) return;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = record->handle;
    tool.uId = reinterpret_cast<UINT_PTR>(view);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

COLORREF listColour(HWND view, UINT message, int systemColour) {
    const auto colour = static_cast<COLORREF>(SendMessageW(view, message, 0, 0));
    return colour == CLR_NONE || colour == CLR_DEFAULT ? GetSysColor(systemColour) : colour;
}

// Two thirds of the way from the background to the text: plainly no row, and
// readable on whatever colours the category chose, where the system's grey
// text may vanish into a grey or dark background.
COLORREF mutedText(COLORREF text, COLORREF back) {
    const auto mix = [](int t, int b) { return static_cast<BYTE>((2 * t + b) / 3); };
    return RGB(mix(GetRValue(text), GetRValue(back)), mix(GetGValue(text), GetGValue(back)),
               mix(GetBValue(text), GetBValue(back)));
}

bool saysNoRows(HWND view) {
    return !resultViews.noRowsText.empty() && SendMessageW(view, LVM_GETITEMCOUNT, 0, 0) == 0;
}

// Drawn in full here: the list itself would only draw its background. Wine's
// list views do not ask for the text of an empty list (LVN_GETEMPTYMARKUP).
void paintNoRows(HWND view) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(view, &paint);
    if (!dc) return;
    const COLORREF back = listColour(view, LVM_GETBKCOLOR, COLOR_WINDOW);
    SetBkColor(dc, back);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &paint.rcPaint, nullptr, 0, nullptr);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(view, WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    SetTextColor(dc, mutedText(listColour(view, LVM_GETTEXTCOLOR, COLOR_WINDOWTEXT), back));
    SetBkMode(dc, TRANSPARENT);
    RECT inner{};
    GetClientRect(view, &inner);
    inner.top += pixelsOf(kNoRowsTop, windowDpi(windowIdOf(view)));
    DrawTextW(dc, resultViews.noRowsText.c_str(), -1, &inner,
              DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (oldFont) SelectObject(dc, oldFont);
    EndPaint(view, &paint);
}

LRESULT CALLBACK sayNoRows(HWND view, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (message) {
        case WM_PAINT:
            if (wParam || !saysNoRows(view)) break;
            paintNoRows(view);
            return 0;
        case WM_ERASEBKGND:
            if (saysNoRows(view)) return 1;
            break;
        // Centred: a new width moves the whole text, not only the part uncovered.
        case WM_SIZE:
            if (saysNoRows(view)) InvalidateRect(view, nullptr, FALSE);
            break;
        case WM_NCDESTROY: RemoveWindowSubclass(view, sayNoRows, kNoRowsSaying); break;
        default: break;
    }
    return DefSubclassProc(view, message, wParam, lParam);
}

}  // namespace

void setResultRowSource(ResultRowSource texts, ItemImageSource images) {
    resultViews.rowSource = texts;
    resultViews.imageSource = images;
}

bool isResultView(HWND control) {
    return control && isItemViewControl(control) && (GetWindowLongPtrW(control, GWL_STYLE) & LVS_OWNERDATA) != 0 &&
           !isStoredItemView(control);
}

void answerResultDisplayInfo(int windowId, NMLVDISPINFOW& info) {
    const int row = info.item.iItem;
    ResultRowTexts texts;
    const bool known = rowTexts(windowId, info.hdr, row, texts);
    if (info.item.mask & LVIF_TEXT)
        copyText(known ? (info.item.iSubItem == 0 ? texts.text : texts.detail) : nullptr, info.item.pszText,
                 info.item.cchTextMax);
    if (!(info.item.mask & LVIF_IMAGE) || info.item.iSubItem != 0) return;
    info.item.iImage = I_IMAGENONE;
    if (!known || !resultViews.imageSource) return;
    const int image =
        resultViews.imageSource(windowId, static_cast<int>(info.hdr.idFrom), row, resultViews.rowIcons);
    if (image >= 0) info.item.iImage = image;
}

void answerResultTip(int windowId, NMTTDISPINFOW& tip) {
    HWND view = reinterpret_cast<HWND>(tip.hdr.idFrom);
    ResultRowTexts texts;
    tip.szText[0] = L'\0';
    tip.lpszText = tip.szText;
    NMHDR header{view, static_cast<UINT_PTR>(GetDlgCtrlID(view)), 0};
    if (!rowTexts(windowId, header, rowUnderPointer(view), texts) || !texts.text || !texts.detail) return;
    // The tip window would take an ampersand for the mark of an access key. It
    // keeps at most 1,023 characters of its text: a caption cut shorter than a
    // row's leaves room for its category.
    resultViews.tipText.clear();
    for (wchar_t c : shownText(*texts.text, kTipPartLength) + L"\r\n" + shownText(*texts.detail, kTipPartLength)) {
        if (c == L'&') resultViews.tipText += L'&';
        resultViews.tipText += c;
    }
    tip.lpszText = resultViews.tipText.data();
    // Two lines, the caption and its category, wrapped at a width of the
    // window's present display.
    SendMessageW(tip.hdr.hwndFrom, TTM_SETMAXTIPWIDTH, 0, pixelsOf(kTipWidth, windowDpi(windowId)));
}

// While the typing goes on in the search field, the chosen row is still the one
// Enter starts: it keeps the colours of a chosen row in a list that has the
// focus, not the pale grey of one without it.
bool answerResultDrawing(NMLVCUSTOMDRAW& draw, LRESULT& result) {
    HWND view = draw.nmcd.hdr.hwndFrom;
    if (!isResultView(view)) return false;
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
        result = CDRF_NOTIFYITEMDRAW;
        return true;
    }
    result = CDRF_DODEFAULT;
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT || GetFocus() == view) return true;
    const WPARAM row = static_cast<WPARAM>(draw.nmcd.dwItemSpec);
    if (!(SendMessageW(view, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED)) return true;
    draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED);
    draw.clrText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    draw.clrTextBk = GetSysColor(COLOR_HIGHLIGHT);
    return true;
}

bool addResultView(int windowId, int controlId, int x, int y, int width, int height) {
    HWND view = createChildControl(windowId, controlId, WC_LISTVIEWW,
                                   LVS_OWNERDATA | LVS_SINGLESEL | LVS_NOCOLUMNHEADER | LVS_AUTOARRANGE |
                                       LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS | WS_TABSTOP,
                                   x, y, width, height, L"");
    if (!view) return false;
    ShowWindow(view, SW_HIDE);
    SetWindowLongPtrW(view, GWL_EXSTYLE, GetWindowLongPtrW(view, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
    // The rows' tips are the window's own (addRowTips), which show the whole caption too.
    const DWORD extended = LVS_EX_DOUBLEBUFFER | LVS_EX_FULLROWSELECT;
    SendMessageW(view, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.pszText = const_cast<wchar_t*>(L"");
    for (int c = 0; c < 2; ++c) {
        column.iSubItem = c;
        column.cx = pixelsOf(c == 0 ? width * 2 / 3 : width / 3, windowDpi(windowId));
        SendMessageW(view, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
    }
    SetWindowPos(view, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    // Neither is needed: a list without tips still lists and starts, and one
    // that cannot say it found nothing still shows that no row is there.
    addRowTips(windowId, view);
    SetWindowSubclass(view, sayNoRows, kNoRowsSaying, 0);
    return true;
}

void showResultRows(int windowId, int controlId, IconSize rowIcons, void* images, int count,
                    const std::wstring& noRowsText) {
    HWND view = resultViewOf(windowId, controlId);
    if (!view) return;
    resultViews.rowIcons = rowIcons;
    resultViews.noRowsText = count == 0 ? noRowsText : std::wstring();
    // Results are ranked: in every view mode they read top to bottom, one a
    // row, so that Down goes to the next best. Rows are as tall as the
    // images given them, large icons making tall rows.
    constexpr ItemViewMode kRows = ItemViewMode::SingleColumn;
    // The list keeps redrawing throughout: turning that off and on again would
    // have Wine lay it out and draw its scroll bar anew, about 6 ms a letter.
    // A list without rows of its own only notes what to draw when it is told
    // the count; it draws once the letter has been dealt with.
    if (!itemViewInMode(view, kRows, images)) setItemViewMode(view, kRows, images);
    clearChosenRow(view);
    if (count != static_cast<int>(SendMessageW(view, LVM_GETITEMCOUNT, 0, 0)))
        SendMessageW(view, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), 0);
    if (count > 0) {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(view, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
        SendMessageW(view, LVM_ENSUREVISIBLE, 0, FALSE);
    }
    InvalidateRect(view, nullptr, TRUE);
}

void chooseEndRow(int windowId, int controlId, bool last) {
    HWND view = resultViewOf(windowId, controlId);
    const int count = view ? static_cast<int>(SendMessageW(view, LVM_GETITEMCOUNT, 0, 0)) : 0;
    if (count <= 0) return;
    clearChosenRow(view);
    const WPARAM row = last ? static_cast<WPARAM>(count - 1) : 0;
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(view, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    SendMessageW(view, LVM_ENSUREVISIBLE, row, FALSE);
}

void fitResultColumns(int windowId, int controlId) {
    HWND view = resultViewOf(windowId, controlId);
    RECT inner{};
    if (!view || !GetClientRect(view, &inner)) return;
    // Room is always left for the vertical scroll bar: widths that followed it
    // would change with the count of rows found, and setting them lays the
    // list out again, up to 20 ms a letter under Wine.
    const int bar = systemMetricAt(SM_CXVSCROLL, windowDpi(windowId));
    const bool barShown = (GetWindowLongPtrW(view, GWL_STYLE) & WS_VSCROLL) != 0;
    const int width = inner.right - inner.left + (barShown ? bar : 0) - bar;
    const int detail = width / 3;
    if (SendMessageW(view, LVM_GETCOLUMNWIDTH, 0, 0) != width - detail)
        SendMessageW(view, LVM_SETCOLUMNWIDTH, 0, width - detail);
    if (SendMessageW(view, LVM_GETCOLUMNWIDTH, 1, 0) != detail) SendMessageW(view, LVM_SETCOLUMNWIDTH, 1, detail);
}
