#include "platform/popup_menus.h"

#include <windows.h>

#include "platform/ui_windows.h"

namespace {

struct PopupMenus {
    HMENU menus[kPopupMenuCount] = {};
};
PopupMenus popups;

HMENU menuOf(int menuId) {
    return menuId >= 0 && menuId < kPopupMenuCount ? popups.menus[menuId] : nullptr;
}

std::wstring entryText(HMENU menu, int position) {
    const int length = GetMenuStringW(menu, static_cast<UINT>(position), nullptr, 0, MF_BYPOSITION);
    if (length <= 0) return std::wstring();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetMenuStringW(menu, static_cast<UINT>(position), text.data(), length + 1, MF_BYPOSITION);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

}  // namespace

bool resetPopupMenu(int menuId) {
    if (menuId < 0 || menuId >= kPopupMenuCount) return false;
    HMENU& menu = popups.menus[menuId];
    if (menu) DestroyMenu(menu);
    menu = CreatePopupMenu();
    return menu != nullptr;
}

bool appendMenuEntry(int menuId, int command, const std::wstring& text) {
    HMENU menu = menuOf(menuId);
    return menu && AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(command), text.c_str());
}

std::vector<MenuEntry> menuEntries(int menuId) {
    std::vector<MenuEntry> entries;
    HMENU menu = menuOf(menuId);
    if (!menu) return entries;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        entries.push_back(MenuEntry{static_cast<int>(GetMenuItemID(menu, i)), entryText(menu, i)});
    }
    return entries;
}

ScreenPoint cursorPosition() {
    POINT p{};
    GetCursorPos(&p);
    return ScreenPoint{p.x, p.y};
}

bool controlScreenRect(int windowId, int controlId, ControlRect& rect) {
    HWND window = static_cast<HWND>(windowHandle(windowId));
    HWND control = window ? GetDlgItem(window, controlId) : nullptr;
    RECT r{};
    if (!control || !GetWindowRect(control, &r)) return false;
    rect = ControlRect{r.left, r.top, r.right, r.bottom};
    return true;
}

bool popupMenuAt(int menuId, int windowId, ScreenPoint at) {
    HMENU menu = menuOf(menuId);
    HWND owner = static_cast<HWND>(windowHandle(windowId));
    if (!menu || !owner) return false;
    // A menu whose owner is not in the foreground stays open when the user clicks
    // elsewhere; and without a message after it, the next showing closes at once.
    SetForegroundWindow(owner);
    TrackPopupMenuEx(menu, TPM_RIGHTBUTTON, at.x, at.y, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
    return true;
}
