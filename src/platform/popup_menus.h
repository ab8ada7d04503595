#pragma once
// Popup menus addressed by the program's own numbers.
#include <string>
#include <vector>

constexpr int kPopupMenuCount = 8;

// Frees popup menu `menuId` when it exists and creates it anew, empty.
bool resetPopupMenu(int menuId);
bool appendMenuEntry(int menuId, int command, const std::wstring& text);
bool appendMenuSeparator(int menuId);
// Hangs menu `subMenuId` into `menuId`; it then lives and dies with it.
bool appendSubMenu(int menuId, int subMenuId, const std::wstring& text);
void setMenuEntryChecked(int menuId, int command, bool checked);
void setMenuEntryEnabled(int menuId, int command, bool enabled);
// The radio mark on `marked` among the entries first..last; none when `marked`
// is outside.
void setMenuRadioMark(int menuId, int first, int last, int marked);

struct MenuEntry {
    int command = 0;  // 0 for separators, -1 for sub-menus
    std::wstring text;
    bool checked = false;
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

// Where a menu for a control opens: at the pointer when it is over the control,
// otherwise 40 pixels right of and 20 below the control's top-left corner.
ScreenPoint popupPointNear(int windowId, int controlId);

// Shows the menu for the window at a screen point; the choice arrives at the
// window as a command. False when the menu or the window does not exist.
bool popupMenuAt(int menuId, int windowId, ScreenPoint at);
