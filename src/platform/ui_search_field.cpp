#include "platform/ui_search_field.h"

#include <windows.h>
#include <commctrl.h>

#include "platform/ui_result_view.h"
#include "platform/ui_window_table.h"

namespace {

bool isFunctionKey(WPARAM key) { return key >= VK_F1 && key <= VK_F24; }

bool isListKey(WPARAM key) { return key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT; }

void queueCommand(int windowId, int command) {
    if (command) queueEvent(eventFor(windowId, UiEventKind::Menu, command));
}

// Home and End go to the first and last row with Ctrl, and also without it
// when the caret stands at the end of the text with nothing chosen: there
// they would not move it anywhere the user could want. Elsewhere they stay
// the field's.
bool takesListEnd(HWND field, WPARAM key, bool control) {
    if (key != VK_HOME && key != VK_END) return false;
    if (control) return true;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start == end && end == static_cast<DWORD>(GetWindowTextLengthW(field));
}

}  // namespace

bool addSearchField(int windowId, int controlId, int listControlId, const SearchFieldKeys& keys, int x, int y,
                    int width, int height, const std::wstring& cue) {
    WindowRecord* record = windowRecord(windowId);
    HWND field = createChildControl(windowId, controlId, L"EDIT", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, x, y,
                                    width, height, L"");
    if (!record || !field) return false;
    ShowWindow(field, SW_HIDE);
    SendMessageW(field, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(cue.c_str()));
    record->searchField = field;
    record->searchListId = listControlId;
    record->searchKeys = keys;
    return true;
}

// Keys typed into the search field: the list's keys go to the list, the
// field's commands to the loop, and text keys to the field itself, past the
// window's shortcuts (Space and Backspace are shortcuts of the launcher).
// Keys with Ctrl or Alt and the function keys stay shortcuts.
bool takeSearchFieldKey(int windowId, MSG& message, bool& skipShortcuts) {
    skipShortcuts = false;
    const WindowRecord* record = windowRecord(windowId);
    if (!record || !record->searchField || message.hwnd != record->searchField) return false;
    if (message.message == WM_SYSKEYDOWN || message.message == WM_SYSKEYUP || isFunctionKey(message.wParam))
        return false;
    const bool control = GetKeyState(VK_CONTROL) < 0;
    if (message.message == WM_KEYDOWN && takesListEnd(record->searchField, message.wParam, control)) {
        skipShortcuts = true;
        chooseEndRow(windowId, record->searchListId, message.wParam == VK_END);
        return true;
    }
    if (control) return false;
    skipShortcuts = true;
    if (message.message != WM_KEYDOWN) return false;
    const SearchFieldKeys& keys = record->searchKeys;
    switch (message.wParam) {
        case VK_RETURN: queueCommand(windowId, keys.enter); return true;
        case VK_ESCAPE: queueCommand(windowId, keys.escape); return true;
        case VK_TAB: return true;
        case VK_APPS:
            if (!keys.menu) return false;
            queueCommand(windowId, keys.menu);
            return true;
        case VK_BACK:
            if (GetWindowTextLengthW(record->searchField) > 0 || !keys.backWhenEmpty) return false;
            queueCommand(windowId, keys.backWhenEmpty);
            return true;
        default: break;
    }
    HWND list = controlHandle(windowId, record->searchListId);
    if (!isListKey(message.wParam) || !list) return false;
    SendMessageW(list, WM_KEYDOWN, message.wParam, message.lParam);
    return true;
}
