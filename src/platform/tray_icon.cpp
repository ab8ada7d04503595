#include "platform/tray_icon.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/ui_window_table.h"

namespace {

struct TrayIcon {
    int windowId = -1;
    int trayId = 0;
    HICON icon = nullptr;
    std::wstring tip;
    bool wanted = false;  // asked for and not removed since
    bool shown = false;   // the shell took it
};
// One icon per program is all it uses.
TrayIcon trayIcon;

bool wantedFor(int windowId, int trayId) {
    return trayIcon.wanted && trayIcon.windowId == windowId && trayIcon.trayId == trayId;
}

NOTIFYICONDATAW iconData(const TrayIcon& tray) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = static_cast<HWND>(windowHandle(tray.windowId));
    data.uID = static_cast<UINT>(tray.trayId);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayMessage;
    data.hIcon = tray.icon;
    lstrcpynW(data.szTip, tray.tip.substr(0, 63).c_str(), 64);
    return data;
}

}  // namespace

UINT taskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

void restoreTrayIcons() {
    if (!trayIcon.wanted) return;
    NOTIFYICONDATAW data = iconData(trayIcon);
    trayIcon.shown = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

bool showTrayIcon(int windowId, int trayId, void* icon, const std::wstring& tip) {
    if (!windowHandle(windowId)) return false;
    taskbarCreatedMessage();
    const bool present = trayIconShown(windowId, trayId);
    trayIcon = TrayIcon{windowId, trayId, static_cast<HICON>(icon), tip, true, false};
    NOTIFYICONDATAW data = iconData(trayIcon);
    trayIcon.shown = Shell_NotifyIconW(present ? NIM_MODIFY : NIM_ADD, &data) != FALSE;
    return trayIcon.shown;
}

bool retryTrayIcon() {
    if (!trayIcon.wanted || trayIcon.shown) return false;
    restoreTrayIcons();
    return trayIcon.shown;
}

void setTrayTip(int windowId, int trayId, const std::wstring& tip) {
    if (!wantedFor(windowId, trayId)) return;
    trayIcon.tip = tip;
    if (!trayIcon.shown) return;
    NOTIFYICONDATAW data = iconData(trayIcon);
    data.uFlags = NIF_TIP;
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

void removeTrayIcon(int windowId, int trayId) {
    if (!wantedFor(windowId, trayId)) return;
    if (trayIcon.shown) {
        NOTIFYICONDATAW data = iconData(trayIcon);
        Shell_NotifyIconW(NIM_DELETE, &data);
    }
    trayIcon.wanted = false;
    trayIcon.shown = false;
}

bool trayIconShown(int windowId, int trayId) {
    return trayIcon.shown && wantedFor(windowId, trayId);
}

bool registerHotkey(int windowId, int hotkeyId, int modifiers, int key) {
    HWND window = static_cast<HWND>(windowHandle(windowId));
    return window && RegisterHotKey(window, hotkeyId, static_cast<UINT>(modifiers), static_cast<UINT>(key));
}

bool unregisterHotkey(int windowId, int hotkeyId) {
    HWND window = static_cast<HWND>(windowHandle(windowId));
    return window && UnregisterHotKey(window, hotkeyId);
}
