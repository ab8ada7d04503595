// Check boxes and radio buttons of a dialog laid out at a smaller scale than
// its display's (to stand whole in the work area): the system draws their
// boxes at the display's size, too large for rows laid out smaller, so they
// are drawn here at the scale of the layout. Everything else about them (the
// state, the keys, the clicks) stays the system's.
#include <windows.h>

#include "platform/ui_scaling.h"

namespace {

// A check box's box in a dialog at 100 %, and the room between it and the text.
constexpr int kBoxUnits = 13;
constexpr int kGapUnits = 4;

bool isBoxButton(HWND control, UINT& drawKind) {
    wchar_t name[16] = {};
    if (GetClassNameW(control, name, 16) == 0 || lstrcmpiW(name, L"Button") != 0) return false;
    const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    if (style & BS_PUSHLIKE) return false;
    switch (style & BS_TYPEMASK) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE: drawKind = DFCS_BUTTONCHECK; return true;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON: drawKind = DFCS_BUTTONRADIO; return true;
        default: return false;
    }
}

void drawBox(HWND control, HDC dc, const RECT& box, UINT drawKind) {
    UINT state = drawKind;
    const LRESULT check = SendMessageW(control, BM_GETCHECK, 0, 0);
    if (check == BST_CHECKED) state |= DFCS_CHECKED;
    if (check == BST_INDETERMINATE) state |= DFCS_BUTTON3STATE | DFCS_CHECKED;
    if (SendMessageW(control, BM_GETSTATE, 0, 0) & BST_PUSHED) state |= DFCS_PUSHED;
    if (!IsWindowEnabled(control)) state |= DFCS_INACTIVE;
    RECT r = box;
    DrawFrameControl(dc, &r, DFC_BUTTON, state);
}

void drawLabel(HWND control, HDC dc, RECT text) {
    wchar_t label[256] = {};
    GetWindowTextW(control, label, 256);
    const LRESULT cues = SendMessageW(control, WM_QUERYUISTATE, 0, 0);
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS;
    if (cues & UISF_HIDEACCEL) format |= DT_HIDEPREFIX;
    HGDIOBJ before = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    if (!IsWindowEnabled(control)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, label, -1, &text, format);
    if (GetFocus() == control && !(cues & UISF_HIDEFOCUS)) {
        RECT needed = text;
        DrawTextW(dc, label, -1, &needed, format | DT_CALCRECT);
        const int rise = ((text.bottom - text.top) - (needed.bottom - needed.top)) / 2;
        const int height = needed.bottom - needed.top;
        RECT focus{needed.left - 1, text.top + rise - 1, needed.right + 1, text.top + rise + height + 1};
        IntersectRect(&focus, &focus, &text);
        DrawFocusRect(dc, &focus);
    }
    SelectObject(dc, before);
}

}  // namespace

bool answerCheckBoxDrawing(const WindowRecord& record, NMCUSTOMDRAW& draw, LRESULT& result) {
    UINT drawKind = 0;
    if (record.dpi == record.displayDpi || !isBoxButton(draw.hdr.hwndFrom, drawKind)) return false;
    if (draw.dwDrawStage != CDDS_PREPAINT) return false;
    HWND control = draw.hdr.hwndFrom;
    RECT whole{};
    GetClientRect(control, &whole);
    // The colours and the brush of the dialog, as for any of its labels.
    const HBRUSH brush = reinterpret_cast<HBRUSH>(
        SendMessageW(GetParent(control), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(draw.hdc),
                     reinterpret_cast<LPARAM>(control)));
    FillRect(draw.hdc, &whole, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
    const int side = pixelsOf(kBoxUnits, record.dpi);
    const int top = whole.top + ((whole.bottom - whole.top) - side) / 2;
    const RECT box{whole.left, top, whole.left + side, top + side};
    drawBox(control, draw.hdc, box, drawKind);
    drawLabel(control, draw.hdc, RECT{box.right + pixelsOf(kGapUnits, record.dpi), whole.top, whole.right, whole.bottom});
    result = CDRF_SKIPDEFAULT;
    return true;
}
