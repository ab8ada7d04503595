// The window procedure of the program's own windows: each message it cares
// about goes to one handler, which mostly queues an event for the loops.
#include <windows.h>
#include <commctrl.h>

#include "platform/ui_events.h"
#include "platform/ui_scaling.h"
#include "platform/ui_scrolling.h"
#include "platform/ui_window_table.h"
#include "platform/ui_windows.h"

namespace {

bool isControlOfClass(HWND control, const wchar_t* className) {
    wchar_t name[32] = {};
    return GetClassNameW(control, name, 32) > 0 && lstrcmpiW(name, className) == 0;
}

bool isStaticControl(HWND control) { return isControlOfClass(control, L"Static"); }

// STN_CLICKED and BN_CLICKED share their number; the double click of a static
// text shares its number with the selection change of a combo box. Texts the
// program sets itself are not the user's changes.
void onCommand(int windowId, const WindowRecord& record, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int notification = HIWORD(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    UiEventKind kind = UiEventKind::Other;
    if (!control) {
        queueEvent(eventFor(windowId, UiEventKind::Menu, id));
        return;
    }
    if (notification == BN_CLICKED || (notification == STN_DBLCLK && isStaticControl(control)))
        kind = UiEventKind::ControlClick;
    if (notification == EN_CHANGE && !record.settingText) kind = UiEventKind::ControlChanged;
    if (notification == EN_KILLFOCUS) {
        UiEvent left = eventFor(windowId, UiEventKind::ControlChanged, kFieldLeft);
        left.control = id;
        queueEvent(left);
        return;
    }
    if (notification == CBN_SELCHANGE && isControlOfClass(control, WC_COMBOBOXW)) kind = UiEventKind::ControlChanged;
    if (kind == UiEventKind::Other) return;
    UiEvent event = eventFor(windowId, kind);
    event.control = id;
    queueEvent(event);
}

// Texts that report clicks show the hand; the others let the pointer through
// to their window.
bool onSetCursor(HWND under, LPARAM lParam) {
    trackHotLink(under);
    if (LOWORD(lParam) != HTCLIENT || !isStaticControl(under) || !(GetWindowLongPtrW(under, GWL_STYLE) & SS_NOTIFY))
        return false;
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return true;
}

// A list that lets several rows be chosen reports each change of its chosen
// or focused rows once, whether made with the keys or the mouse.
void onItemChanged(int windowId, const NMHDR& header) {
    const NMLISTVIEW& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (!(change.uChanged & LVIF_STATE) || !((change.uNewState ^ change.uOldState) & (LVIS_SELECTED | LVIS_FOCUSED)))
        return;
    if (GetWindowLongPtrW(header.hwndFrom, GWL_STYLE) & LVS_SINGLESEL) return;
    UiEvent event = eventFor(windowId, UiEventKind::ItemView, kSelectionChanged);
    event.control = static_cast<int>(header.idFrom);
    queueEventOnce(event);
}

// Rows chosen together (Shift with a click or the arrows) in a list without
// rows of its own come as one range.
void onRangeChanged(int windowId, const NMHDR& header) {
    const NMLVODSTATECHANGE& change = reinterpret_cast<const NMLVODSTATECHANGE&>(header);
    if (!((change.uNewState ^ change.uOldState) & (LVIS_SELECTED | LVIS_FOCUSED))) return;
    if (GetWindowLongPtrW(header.hwndFrom, GWL_STYLE) & LVS_SINGLESEL) return;
    UiEvent event = eventFor(windowId, UiEventKind::ItemView, kSelectionChanged);
    event.control = static_cast<int>(header.idFrom);
    queueEventOnce(event);
}

void onNotify(int windowId, LPARAM lParam) {
    const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
    if (header.code == LVN_GETDISPINFOW) {
        answerItemDisplayInfo(windowId, lParam);
        return;
    }
    if (header.code == TTN_GETDISPINFOW && isResultView(reinterpret_cast<HWND>(header.idFrom))) {
        answerResultTip(windowId, *reinterpret_cast<NMTTDISPINFOW*>(lParam));
        return;
    }
    if (header.code == LVN_ITEMCHANGED && isItemViewControl(header.hwndFrom)) {
        onItemChanged(windowId, header);
        return;
    }
    if (header.code == LVN_ODSTATECHANGED && isItemViewControl(header.hwndFrom)) {
        onRangeChanged(windowId, header);
        return;
    }
    int kind = 0;
    if (header.code == NM_CLICK) kind = kLeftClick;
    if (header.code == NM_DBLCLK) kind = kLeftDoubleClick;
    if (header.code == NM_RCLICK) kind = kRightClick;
    if (kind == 0 || !isItemViewControl(header.hwndFrom)) return;
    UiEvent event = eventFor(windowId, UiEventKind::ItemView, kind);
    event.control = static_cast<int>(header.idFrom);
    const int row =
        static_cast<int>(SendMessageW(header.hwndFrom, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (row >= 0 && isResultView(header.hwndFrom)) {
        event.data = row;
    } else if (row >= 0) {
        event.data = storedRowData(header.hwndFrom, row);
    }
    queueEvent(event);
}

void onSize(WindowRecord& record, WPARAM state) {
    if (!record.sizeHandler) return;
    SizeKind kind = SizeKind::Restored;
    if (state == SIZE_MINIMIZED) kind = SizeKind::Minimized;
    if (state == SIZE_MAXIMIZED) kind = SizeKind::Maximized;
    record.sizeHandler(kind);
}

void onSizeMoveEnded(HWND window) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (isItemViewControl(child) && !isResultView(child) &&
            (GetWindowLongPtrW(child, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT)
            fitSingleColumn(child);
}

LRESULT onStaticColor(const WindowRecord& record, HWND control, HDC dc) {
    if (!linkColors(control, dc)) {
        SetTextColor(dc, record.staticTextColor);
        SetBkColor(dc, record.backgroundColor);
    }
    return reinterpret_cast<LRESULT>(record.background);
}

void onEraseBackground(HWND window, const WindowRecord& record, HDC dc) {
    RECT r{};
    GetClientRect(window, &r);
    FillRect(dc, &r, record.background);
}

void onTrayMessage(int windowId, LPARAM lParam) {
    int kind = 0;
    if (LOWORD(lParam) == WM_LBUTTONUP) kind = kLeftClick;
    if (LOWORD(lParam) == WM_LBUTTONDBLCLK) kind = kLeftDoubleClick;
    if (LOWORD(lParam) == WM_RBUTTONUP) kind = kRightClick;
    if (kind != 0) queueEvent(eventFor(windowId, UiEventKind::Tray, kind));
}

// Windows that move with Tab keep their focus the way a dialog does: the
// control that had it when another window (a message box, another program)
// came in front gets it back, instead of the window itself.
bool onActivate(HWND window, WindowRecord& record, WPARAM wParam) {
    if (!record.dialogKeys) return false;
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window, focus)) record.lastFocus = focus;
        return false;
    }
    HWND last = record.lastFocus;
    if (HIWORD(wParam) || !last || !IsWindow(last) || !IsChild(window, last) || !IsWindowVisible(last) ||
        !IsWindowEnabled(last))
        return false;
    SetFocus(last);
    return true;
}

// The control that gets the focus after `from`: a label's own target, else
// the next in the Tab order (the previous one with `backwards`).
HWND controlAfter(HWND window, const WindowRecord& record, HWND from, bool backwards) {
    for (const LabelTarget& tie : record.labelTargets)
        if (tie.label == from && IsWindowVisible(tie.control) && IsWindowEnabled(tie.control)) return tie.control;
    return GetNextDlgTabItem(window, from, backwards);
}

// What a dialog does with WM_NEXTDLGCTL, which the system's dialog handling
// sends a window that moves with Tab: a label's access key gives the label
// the focus, then asks for the control after it. A field that gets the focus
// so has its text chosen, ready to be typed over.
bool onNextControl(HWND window, const WindowRecord& record, WPARAM wParam, LPARAM lParam) {
    if (!record.dialogKeys) return false;
    HWND target = reinterpret_cast<HWND>(wParam);
    if (!LOWORD(lParam)) target = controlAfter(window, record, GetFocus(), wParam != 0);
    if (!target || !IsChild(window, target)) return true;
    if (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(target, EM_SETSEL, 0, -1);
    SetFocus(target);
    return true;
}

// Alt with a letter that no control and no shortcut takes: Windows only beeps,
// having no menu bar to open, but Wine enters an unseen menu loop that holds
// every event (a second instance's request too) until the next key. Alt and
// Alt+Space keep the window menu.
bool onKeyMenu(HWND window, const WindowRecord& record, LPARAM key) {
    if (key == 0) return record.ignoreLoneAlt;
    if (key == L' ' || GetMenu(window)) return false;
    MessageBeep(0);
    return true;
}

// The taskbar moved or changed its size, or a display changed: what keeps
// windows on the screen reads the work area anew. A dialog keeps itself on it;
// the launcher's loop knows whether its window hides at an edge.
void onWorkAreaChanged(int windowId, const WindowRecord& record) {
    if (record.fitsWorkArea) keepWindowOnScreen(windowId);
    queueEvent(eventFor(windowId, UiEventKind::WorkAreaChanged));
}

void onSessionEnd(const WindowRecord& record) {
    if (record.sessionEndHandler) record.sessionEndHandler();
}

}  // namespace

LRESULT CALLBACK programWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const int windowId = windowIdOf(window);
    WindowRecord* record = windowRecord(windowId);
    if (!record || record->handle != window) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
        case WM_COMMAND: onCommand(windowId, *record, wParam, lParam); return 0;
        case WM_NOTIFY: {
            if (reinterpret_cast<const NMHDR*>(lParam)->code == LVN_ODFINDITEMW)
                return answerItemFind(*reinterpret_cast<const NMLVFINDITEMW*>(lParam));
            LRESULT drawing = 0;
            if (reinterpret_cast<const NMHDR*>(lParam)->code == NM_CUSTOMDRAW &&
                (answerResultDrawing(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam), drawing) ||
                 answerCheckBoxDrawing(*record, *reinterpret_cast<NMCUSTOMDRAW*>(lParam), drawing)))
                return drawing;
            onNotify(windowId, lParam);
            break;
        }
        case WM_CLOSE: queueEvent(eventFor(windowId, UiEventKind::CloseRequest)); return 0;
        case WM_MOVE: queueEventOnce(eventFor(windowId, UiEventKind::Moved)); break;
        case WM_SIZE: onSize(*record, wParam); break;
        case WM_EXITSIZEMOVE: onSizeMoveEnded(window); break;
        case WM_TIMER: queueEvent(eventFor(windowId, UiEventKind::Timer, static_cast<int>(wParam))); return 0;
        case WM_HOTKEY: queueEvent(eventFor(windowId, UiEventKind::Hotkey, static_cast<int>(wParam))); return 0;
        case kInstanceMessage:
            // A menu's own loop would hold the request until the user next
            // touches a key or the mouse.
            EndMenu();
            queueEvent(eventFor(windowId, UiEventKind::UserMessage, static_cast<int>(wParam)));
            return 0;
        case kTrayMessage: onTrayMessage(windowId, lParam); return 0;
        case kWorkMessage: queueEvent(eventFor(windowId, UiEventKind::WorkProgress, static_cast<int>(wParam))); return 0;
        case WM_CTLCOLORSTATIC:
            if (record->hasColors) return onStaticColor(*record, reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
            break;
        case WM_SETCURSOR:
            if (onSetCursor(reinterpret_cast<HWND>(wParam), lParam)) return TRUE;
            break;
        case WM_ERASEBKGND:
            if (!record->hasColors) break;
            onEraseBackground(window, *record, reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_KEYMENU && onKeyMenu(window, *record, lParam)) return 0;
            break;
        case WM_ACTIVATE:
            // A window kept on top raises itself again once another is active
            // (keepWindowOnTop), however soon that one came after it.
            if (LOWORD(wParam) == WA_INACTIVE) record->raisesLeft = kRaisesAfterChange;
            if (onActivate(window, *record, wParam)) return 0;
            break;
        case WM_NEXTDLGCTL:
            if (onNextControl(window, *record, wParam, lParam)) return 0;
            break;
        case WM_GETDPISCALEDSIZE:
            if (answerScaledSize(*record, wParam, lParam)) return TRUE;
            break;
        case WM_DPICHANGED: onDpiChanged(windowId, *record, wParam, lParam); return 0;
        case WM_DISPLAYCHANGE: onWorkAreaChanged(windowId, *record); break;
        // The window's own scroll bar; a spin control's message names the control.
        case WM_VSCROLL:
            if (lParam == 0 && record->scrollHeight > 0) onVerticalScroll(*record, wParam);
            break;
        case WM_MOUSEWHEEL:
            if (record->scrollHeight == 0) break;
            onMouseWheel(*record, wParam);
            return 0;
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETWORKAREA) onWorkAreaChanged(windowId, *record);
            break;
        case WM_QUERYENDSESSION: onSessionEnd(*record); return TRUE;
        case WM_POWERBROADCAST:
            if (wParam == PBT_APMSUSPEND) onSessionEnd(*record);
            break;
        default:
            if (message == taskbarCreatedMessage() && message != 0) restoreTrayIcons();
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
