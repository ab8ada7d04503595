// Open popup menus, whichever process shows them.
#include "probe.h"

namespace probe {

namespace {

BOOL CALLBACK collectMenu(HWND window, LPARAM param) {
    wchar_t className[16] = L"";
    GetClassNameW(window, className, 16);
    if (IsWindowVisible(window) && lstrcmpW(className, L"#32768") == 0) {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    }
    return TRUE;
}

// Windows keeps menus in the kernel, so any process may read them. Wine keeps a
// menu in the process that made it: there GetMenuItemCount answers -1 for
// another process's handle and no entry lines are written.
void writeEntries(HWND menuWindow, FILE* out) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(menuWindow, MN_GETHMENU, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer) || !answer) return;
    HMENU menu = reinterpret_cast<HMENU>(answer);
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[1024] = L"";
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 1024;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        fprintf(out, "entry %u %d ", info.wID, (info.fState & MFS_CHECKED) ? 1 : 0);
        writeText(out, text);
    }
}

}  // namespace

std::vector<HWND> findMenus() {
    std::vector<HWND> menus;
    EnumWindows(collectMenu, reinterpret_cast<LPARAM>(&menus));
    return menus;
}

int writeMenus(const std::vector<HWND>& menus, FILE* out) {
    for (HWND menu : menus) {
        RECT rect{};
        GetWindowRect(menu, &rect);
        fprintf(out, "menu %ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
        writeEntries(menu, out);
    }
    return kFound;
}

}  // namespace probe
