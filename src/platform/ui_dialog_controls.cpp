#include "platform/ui_dialog_controls.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "platform/ui_controls.h"
#include "platform/ui_window_table.h"

namespace {

LRESULT sendTo(int windowId, int controlId, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    HWND control = controlHandle(windowId, controlId);
    return control ? SendMessageW(control, message, wParam, lParam) : 0;
}

DWORD alignStyle(TextAlign align) {
    switch (align) {
        case TextAlign::Center: return SS_CENTER;
        case TextAlign::Right: return SS_RIGHT;
        default: return SS_LEFT;
    }
}

}  // namespace

bool addLabel(int windowId, int controlId, int x, int y, int width, int height, const std::wstring& text,
              TextAlign align) {
    // Clipped by what lies above it: a label that reaches into the field
    // below it does not paint over the field's edge.
    return createChildControl(windowId, controlId, L"STATIC", WS_CLIPSIBLINGS | alignStyle(align), x, y, width, height,
                              text) != nullptr;
}

bool addFrame(int windowId, int controlId, int x, int y, int width, int height) {
    HWND frame =
        createChildControl(windowId, controlId, L"STATIC", WS_CLIPSIBLINGS, x, y, width, height, L"", WS_EX_STATICEDGE);
    if (!frame) return false;
    // Last in the stacking order, and clipped by what lies above: it never
    // paints over the controls on it.
    SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return true;
}

bool addPushButton(int windowId, int controlId, int x, int y, int width, int height, const std::wstring& text,
                   bool isDefault) {
    const DWORD style = WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    return createChildControl(windowId, controlId, L"BUTTON", style, x, y, width, height, text) != nullptr;
}

bool addToggleButton(int windowId, int controlId, int x, int y, int width, int height, const std::wstring& text) {
    return createChildControl(windowId, controlId, L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX | BS_PUSHLIKE, x, y, width,
                              height, text) != nullptr;
}

bool addIconButton(int windowId, int controlId, int x, int y, int width, int height) {
    return createChildControl(windowId, controlId, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_ICON, x, y, width, height,
                              L"") != nullptr;
}

// The button draws the icon it was given whenever it paints: it gets a copy of
// its own, so that the caller may destroy the original at any time.
void setButtonIcon(int windowId, int controlId, void* icon) {
    HICON copy = icon ? CopyIcon(static_cast<HICON>(icon)) : nullptr;
    HANDLE old = reinterpret_cast<HANDLE>(
        sendTo(windowId, controlId, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(copy)));
    if (old) DestroyIcon(static_cast<HICON>(old));
}

void releaseButtonIcons(HWND window) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!(GetWindowLongPtrW(child, GWL_STYLE) & BS_ICON)) continue;
        wchar_t name[16] = {};
        if (GetClassNameW(child, name, 16) == 0 || lstrcmpiW(name, L"Button") != 0) continue;
        HANDLE icon = reinterpret_cast<HANDLE>(SendMessageW(child, BM_SETIMAGE, IMAGE_ICON, 0));
        if (icon) DestroyIcon(static_cast<HICON>(icon));
    }
}

void acceptDroppedFiles(int windowId, int controlId) {
    if (HWND control = controlHandle(windowId, controlId)) DragAcceptFiles(control, TRUE);
}

bool addCheckBox(int windowId, int controlId, int x, int y, int width, int height, const std::wstring& text) {
    return createChildControl(windowId, controlId, L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, x, y, width, height,
                              text) != nullptr;
}

void setChecked(int windowId, int controlId, bool checked) {
    sendTo(windowId, controlId, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool isChecked(int windowId, int controlId) { return sendTo(windowId, controlId, BM_GETCHECK) == BST_CHECKED; }

bool addDropDownList(int windowId, int controlId, int x, int y, int width, int height) {
    // The height given to a combo box is that of the field with its list open.
    constexpr int kListHeight = 300;
    HWND list = createChildControl(windowId, controlId, WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, x, y,
                                   width, height + kListHeight, L"");
    return list != nullptr;
}

void addListRow(int windowId, int controlId, const std::wstring& text) {
    sendTo(windowId, controlId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void selectListRow(int windowId, int controlId, int row) { sendTo(windowId, controlId, CB_SETCURSEL, row); }

int selectedListRow(int windowId, int controlId) {
    const LRESULT row = sendTo(windowId, controlId, CB_GETCURSEL);
    return row == CB_ERR ? -1 : static_cast<int>(row);
}

std::wstring listRowText(int windowId, int controlId, int row) {
    const LRESULT length = sendTo(windowId, controlId, CB_GETLBTEXTLEN, static_cast<WPARAM>(row));
    if (length == CB_ERR || length <= 0) return std::wstring();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        sendTo(windowId, controlId, CB_GETLBTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
    return text;
}

bool addEditField(int windowId, int controlId, int x, int y, int width, int height, const std::wstring& text,
                  bool digitsOnly, int maxChars) {
    HWND field = createChildControl(windowId, controlId, WC_EDITW,
                                    WS_TABSTOP | ES_AUTOHSCROLL | (digitsOnly ? ES_NUMBER : 0), x, y, width, height,
                                    L"", WS_EX_CLIENTEDGE);
    if (!field) return false;
    SendMessageW(field, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
    setControlText(windowId, controlId, text);
    return true;
}

void selectFieldText(int windowId, int controlId) { sendTo(windowId, controlId, EM_SETSEL, 0, -1); }

void moveCaretToEnd(int windowId, int controlId) {
    const LRESULT length = sendTo(windowId, controlId, WM_GETTEXTLENGTH);
    sendTo(windowId, controlId, EM_SETSEL, static_cast<WPARAM>(length), length);
}

bool addSpinField(int windowId, int controlId, int x, int y, int width, int height, int low, int high, int value) {
    int digits = 1;
    for (int rest = high; rest >= 10; rest /= 10) ++digits;
    if (!addEditField(windowId, controlId, x, y, width, height, L"", true, digits)) return false;
    HWND arrows = createChildControl(windowId, spinArrowsId(controlId), UPDOWN_CLASSW,
                                     UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0, 0, 0,
                                     L"");
    if (!arrows) return false;
    SendMessageW(arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(controlHandle(windowId, controlId)), 0);
    SendMessageW(arrows, UDM_SETRANGE32, static_cast<WPARAM>(low), static_cast<LPARAM>(high));
    SendMessageW(arrows, UDM_SETPOS32, 0, static_cast<LPARAM>(value));
    return true;
}

bool addHotkeyField(int windowId, int controlId, int x, int y, int width, int height) {
    return createChildControl(windowId, controlId, HOTKEY_CLASSW, WS_TABSTOP, x, y, width, height, L"",
                              WS_EX_CLIENTEDGE) != nullptr;
}

// The control keeps the key in the low byte and HOTKEYF_ flags in the next one.
void setHotkeyFieldValue(int windowId, int controlId, uint32_t value) {
    const WPARAM flags = ((value & kFieldShift) ? HOTKEYF_SHIFT : 0) | ((value & kFieldControl) ? HOTKEYF_CONTROL : 0) |
                         ((value & kFieldAlt) ? HOTKEYF_ALT : 0);
    sendTo(windowId, controlId, HKM_SETHOTKEY, MAKEWORD(value & 0xFF, flags));
}

uint32_t hotkeyFieldValue(int windowId, int controlId) {
    const WORD raw = LOWORD(sendTo(windowId, controlId, HKM_GETHOTKEY));
    const BYTE flags = HIBYTE(raw);
    return LOBYTE(raw) | ((flags & HOTKEYF_SHIFT) ? kFieldShift : 0) | ((flags & HOTKEYF_CONTROL) ? kFieldControl : 0) |
           ((flags & HOTKEYF_ALT) ? kFieldAlt : 0);
}

int focusedControl(int windowId) {
    HWND window = static_cast<HWND>(windowHandle(windowId));
    HWND focus = GetFocus();
    if (!window || !focus || !IsChild(window, focus)) return 0;
    // The edit part of a combo box and the like stand for their control.
    while (GetParent(focus) != window) focus = GetParent(focus);
    return GetDlgCtrlID(focus);
}

void useDialogKeys(int windowId) {
    WindowRecord* record = windowRecord(windowId);
    if (!record) return;
    record->dialogKeys = true;
    // Windows hides the underlines until Alt is pressed where the user asked
    // for that; these windows show theirs from the start.
    SendMessageW(record->handle, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL), 0);
}

void setLabelTarget(int windowId, int labelId, int controlId) {
    WindowRecord* record = windowRecord(windowId);
    HWND label = controlHandle(windowId, labelId);
    HWND control = controlHandle(windowId, controlId);
    if (record && label && control) record->labelTargets.push_back(LabelTarget{label, control});
}
