#pragma once
// Popup menus addressed by the program's own numbers.
#include <string>
#include <vector>

constexpr int kPopupMenuCount = 8;

// Frees popup menu `menuId` when it exists and creates it anew, empty.
bool resetPopupMenu(int menuId);
bool appendMenuEntry(int menuId, int command, const std::wstring& text);

struct MenuEntry {
    int command = 0;
    std::wstring text;
};
std::vector<MenuEntry> menuEntries(int menuId);

struct ScreenPoint {
    int x = 0;
    int y = 0;
};
ScreenPoint cursorPosition();

// Screen rectangle of a control of one of the program's windows; false when the
// window or the control does not exist.
struct ControlRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
bool controlScreenRect(int windowId, int controlId, ControlRect& rect);

// Shows the menu for the window at a screen point; the choice arrives at the
// window as a command. False when the menu or the window does not exist.
bool popupMenuAt(int menuId, int windowId, ScreenPoint at);
