#include "platform/ui_events.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <deque>

#include "platform/ui_scaling.h"
#include "platform/ui_scrolling.h"
#include "platform/ui_window_table.h"

namespace {

struct EventQueue {
    std::deque<UiEvent> events;
    // A message whose default handling waits for its event's turn (see waitEvent).
    MSG deferred{};
    bool hasDeferred = false;
};
EventQueue eventQueue;

bool isKeyMessage(UINT message) {
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

UiEvent keyEvent(int windowId, const MSG& message) {
    UiEvent event = eventFor(windowId, UiEventKind::Key, static_cast<int>(message.wParam));
    event.data = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN ? 1 : 0;
    return event;
}

bool translateShortcut(int windowId, MSG& message) {
    WindowRecord* record = windowRecord(windowId);
    return record && record->shortcuts && TranslateAcceleratorW(record->handle, record->shortcuts, &message);
}

void takeDroppedFiles(int windowId, MSG& message) {
    HDROP drop = reinterpret_cast<HDROP>(message.wParam);
    UiEvent event = eventFor(windowId, UiEventKind::FilesDropped);
    event.control = GetDlgCtrlID(message.hwnd);
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring name(static_cast<size_t>(length) + 1, L'\0');
        name.resize(DragQueryFileW(drop, i, name.data(), length + 1));
        event.files.push_back(name);
    }
    DragFinish(drop);
    queueEvent(event);
}

bool focusWantsKey(MSG& message) {
    HWND focus = GetFocus();
    if (!focus) return false;
    const LRESULT code = SendMessageW(focus, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message));
    return (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) != 0;
}

bool isEnterOrEscape(const MSG& message) {
    return message.message == WM_KEYDOWN && (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE);
}

bool hasDialogKeys(int windowId) {
    const WindowRecord* record = windowRecord(windowId);
    return record && record->dialogKeys && record->handle;
}

bool keyForDialogControl(int windowId, MSG& message) {
    return hasDialogKeys(windowId) && isEnterOrEscape(message) && focusWantsKey(message);
}

// Alt with a letter in a hotkey field is the hotkey being chosen, which the
// field has taken already: not the access key of another control.
bool chosenInHotkeyField(const MSG& message) {
    if (message.message != WM_SYSCHAR) return false;
    wchar_t name[32] = {};
    return GetClassNameW(GetFocus(), name, 32) > 0 && lstrcmpiW(name, HOTKEY_CLASSW) == 0;
}

}  // namespace

bool takeDialogMessage(int windowId, MSG& message) {
    if (!hasDialogKeys(windowId)) return false;
    if (isEnterOrEscape(message) && !focusWantsKey(message)) return true;
    if (chosenInHotkeyField(message)) return true;
    WindowRecord& record = *windowRecord(windowId);
    HWND focus = GetFocus();
    if (!IsDialogMessageW(record.handle, &message)) return false;
    // Tab may have moved the focus to a control scrolled out of sight.
    if (GetFocus() != focus) scrollFocusIntoView(record);
    return true;
}

void queueEvent(const UiEvent& event) { eventQueue.events.push_back(event); }

void queueEventOnce(const UiEvent& event) {
    for (const UiEvent& queued : eventQueue.events)
        if (queued.kind == event.kind && queued.windowId == event.windowId && queued.code == event.code &&
            queued.control == event.control)
            return;
    queueEvent(event);
}

void discardQueuedEvents() { eventQueue.events.clear(); }

bool eventsQueued() { return !eventQueue.events.empty(); }

unsigned tickCount() { return GetTickCount(); }

bool preTranslateMessage(MSG& message) {
    const int windowId = windowIdOf(message.hwnd);
    if (windowId < 0) return false;
    if (isKeyMessage(message.message)) {
        // An open drop-down list closes on Return and Escape: they are its own.
        if (keyForDialogControl(windowId, message)) return takeDialogMessage(windowId, message);
        // Taken before the shortcut is: Alt+F4 must still count as a key joining Alt.
        queueEvent(keyEvent(windowId, message));
        bool typing = false;
        if (takeSearchFieldKey(windowId, message, typing)) return true;
        if (typing) return false;
        // A window's own shortcuts come before the dialog keys: Return and
        // Escape may be shortcuts of a window that also moves with Tab.
        return translateShortcut(windowId, message) || takeDialogMessage(windowId, message);
    }
    const bool onItemView = isItemViewControl(message.hwnd);
    switch (message.message) {
        case WM_DROPFILES:
            takeDroppedFiles(windowId, message);
            return true;
        case WM_LBUTTONUP:
            queueEvent(eventFor(windowId, UiEventKind::LeftButtonUp));
            return false;
        case WM_MOUSEMOVE:
            if (message.wParam & MK_LBUTTON) {
                UiEvent event = eventFor(windowId, UiEventKind::LeftDragMove);
                event.control = onItemView ? GetDlgCtrlID(message.hwnd) : 0;
                event.x = screenUnits(message.pt.x);
                event.y = screenUnits(message.pt.y);
                queueEvent(event);
            }
            return false;
        case WM_RBUTTONUP:
            if (!onItemView) queueEvent(eventFor(windowId, UiEventKind::RightButtonUp));
            return false;
        case WM_NCRBUTTONDOWN:
            queueEvent(eventFor(windowId, UiEventKind::FrameRightButtonDown));
            return false;
        case WM_LBUTTONDOWN:
        case WM_NCLBUTTONDOWN: {
            UiEvent event = eventFor(windowId, UiEventKind::Other, kLeftClick);
            if (message.hwnd != windowHandle(windowId)) event.control = GetDlgCtrlID(message.hwnd);
            queueEvent(event);
            return false;
        }
        case WM_RBUTTONDOWN:
            queueEvent(eventFor(windowId, UiEventKind::Other, kRightClick));
            return false;
        default:
            return false;
    }
}

bool waitEvent(UiEvent& event) {
    EventQueue& queue = eventQueue;
    while (queue.events.empty()) {
        if (queue.hasDeferred) {
            queue.hasDeferred = false;
            DispatchMessageW(&queue.deferred);
            continue;
        }
        MSG message;
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            // Outer loops must see the quit request too.
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        if (preTranslateMessage(message)) continue;
        if (takeDialogMessage(windowIdOf(message.hwnd), message)) continue;
        // A right press on the caption may open the window menu at once (Wine
        // runs it inside the press): the loop sees the press first.
        if (message.message == WM_NCRBUTTONDOWN && !queue.events.empty()) {
            queue.deferred = message;
            queue.hasDeferred = true;
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    event = std::move(queue.events.front());
    queue.events.pop_front();
    return true;
}
