#include "platform/popup_menus.h"

#include <windows.h>

#include "platform/ui_scaling.h"
#include "platform/ui_windows.h"

namespace {

struct PopupMenus {
    HMENU menus[kPopupMenuCount] = {};
    int parentOf[kPopupMenuCount] = {-1, -1, -1, -1, -1, -1, -1, -1};
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

// Sub-menus are destroyed with their parent; their numbers are then free.
void forgetSubMenusOf(int menuId) {
    for (int i = 0; i < kPopupMenuCount; ++i) {
        if (popups.parentOf[i] != menuId) continue;
        forgetSubMenusOf(i);
        popups.menus[i] = nullptr;
        popups.parentOf[i] = -1;
    }
}

void detachFromParent(int menuId) {
    const int parent = popups.parentOf[menuId];
    if (parent < 0) return;
    HMENU parentMenu = popups.menus[parent];
    for (int i = GetMenuItemCount(parentMenu) - 1; i >= 0; --i)
        if (GetSubMenu(parentMenu, i) == popups.menus[menuId])
            RemoveMenu(parentMenu, static_cast<UINT>(i), MF_BYPOSITION);
    popups.parentOf[menuId] = -1;
}

}  // namespace

bool resetPopupMenu(int menuId) {
    if (menuId < 0 || menuId >= kPopupMenuCount) return false;
    HMENU& menu = popups.menus[menuId];
    if (menu) {
        detachFromParent(menuId);
        forgetSubMenusOf(menuId);
        DestroyMenu(menu);
    }
    menu = CreatePopupMenu();
    return menu != nullptr;
}

bool appendMenuEntry(int menuId, int command, const std::wstring& text) {
    HMENU menu = menuOf(menuId);
    return menu && AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(command), text.c_str());
}

bool appendMenuSeparator(int menuId) {
    HMENU menu = menuOf(menuId);
    return menu && AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
}

bool appendSubMenu(int menuId, int subMenuId, const std::wstring& text) {
    HMENU menu = menuOf(menuId);
    HMENU sub = menuOf(subMenuId);
    if (!menu || !sub || menuId == subMenuId || popups.parentOf[subMenuId] >= 0) return false;
    if (!AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), text.c_str())) return false;
    popups.parentOf[subMenuId] = menuId;
    return true;
}

void setMenuEntryChecked(int menuId, int command, bool checked) {
    if (HMENU menu = menuOf(menuId))
        CheckMenuItem(menu, static_cast<UINT>(command), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void setMenuEntryEnabled(int menuId, int command, bool enabled) {
    if (HMENU menu = menuOf(menuId))
        EnableMenuItem(menu, static_cast<UINT>(command), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void setMenuRadioMark(int menuId, int first, int last, int marked) {
    HMENU menu = menuOf(menuId);
    if (!menu || marked < first || marked > last) return;
    CheckMenuRadioItem(menu, static_cast<UINT>(first), static_cast<UINT>(last), static_cast<UINT>(marked),
                       MF_BYCOMMAND);
}

std::vector<MenuEntry> menuEntries(int menuId) {
    std::vector<MenuEntry> entries;
    HMENU menu = menuOf(menuId);
    if (!menu) return entries;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        entries.push_back(
            MenuEntry{static_cast<int>(GetMenuItemID(menu, i)), entryText(menu, i), (state & MF_CHECKED) != 0});
    }
    return entries;
}

ScreenPoint cursorPosition() {
    POINT p{};
    GetCursorPos(&p);
    return ScreenPoint{screenUnits(p.x), screenUnits(p.y)};
}

bool controlScreenRect(int windowId, int controlId, ControlRect& rect) {
    HWND window = static_cast<HWND>(windowHandle(windowId));
    HWND control = window ? GetDlgItem(window, controlId) : nullptr;
    RECT r{};
    if (!control || !GetWindowRect(control, &r)) return false;
    rect = ControlRect{screenUnits(r.left), screenUnits(r.top), screenUnits(r.right), screenUnits(r.bottom)};
    return true;
}

ScreenPoint popupPointNear(int windowId, int controlId) {
    const ScreenPoint cursor = cursorPosition();
    ControlRect control;
    if (!controlScreenRect(windowId, controlId, control)) return cursor;
    const bool over = cursor.x >= control.left && cursor.x < control.right && cursor.y >= control.top &&
                      cursor.y < control.bottom;
    return over ? cursor : ScreenPoint{control.left + 40, control.top + 20};
}

bool popupMenuAt(int menuId, int windowId, ScreenPoint at) {
    HMENU menu = menuOf(menuId);
    HWND owner = static_cast<HWND>(windowHandle(windowId));
    if (!menu || !owner) return false;
    // A menu whose owner is not in the foreground stays open when the user clicks
    // elsewhere; and without a message after it, the next showing closes at once.
    SetForegroundWindow(owner);
    TrackPopupMenuEx(menu, TPM_RIGHTBUTTON, screenPixels(at.x), screenPixels(at.y), owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
    return true;
}
