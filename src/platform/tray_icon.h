#pragma once
// The program's icon in the notification area, and its global hotkeys.
#include <string>

// Adds the icon (or updates it when it is there); clicks arrive as tray events
// of the window. Tips longer than 63 characters are cut. False when the shell
// did not take it (at logon its taskbar may not be there yet): the icon is then
// kept wanted, and added by retryTrayIcon or when the taskbar comes.
bool showTrayIcon(int windowId, int trayId, void* icon, const std::wstring& tip);
// Adds a wanted icon the shell did not take yet; true when it took it now.
bool retryTrayIcon();
void setTrayTip(int windowId, int trayId, const std::wstring& tip);
void removeTrayIcon(int windowId, int trayId);
bool trayIconShown(int windowId, int trayId);

// Modifiers as the system's hotkey flags: 1 Alt, 2 Ctrl, 4 Shift, 8 Windows key.
bool registerHotkey(int windowId, int hotkeyId, int modifiers, int key);
bool unregisterHotkey(int windowId, int hotkeyId);
