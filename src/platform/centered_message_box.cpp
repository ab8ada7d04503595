#include "platform/centered_message_box.h"

#include <windows.h>

#include "platform/message_box.h"
#include "platform/screen_fit.h"
#include "platform/ui_windows.h"

namespace {

// The box is created inside MessageBoxW, out of reach; a thread hook sees its
// creation and moves it before it is first shown. The hook procedure has no
// context argument, hence this process-wide record.
struct CenteringHook {
    HHOOK hook = nullptr;
    RECT owner{};
    RECT workArea{};  // of the monitor nearest to the owner
    bool placed = false;  // moved once on activation; the user may move it after
};
CenteringHook centering;

constexpr ATOM kDialogClassAtom = 0x8002;

bool hasDialogClassName(HWND window) {
    wchar_t name[16] = {};
    if (GetClassNameW(window, name, 16) == 0) return false;
    return lstrcmpW(name, L"#32770") == 0;
}

bool isDialogClass(HWND window, const CREATESTRUCTW* create) {
    if (IS_INTRESOURCE(create->lpszClass))
        return reinterpret_cast<ULONG_PTR>(create->lpszClass) == kDialogClassAtom;
    return hasDialogClassName(window);
}

// A modal box that cannot be seen would leave the user stuck: an owner partly
// off the screen does not take its box along.
BoxPosition centredOnOwner(int width, int height) {
    const RECT& r = centering.owner;
    const RECT& area = centering.workArea;
    return keptInArea(centeredBoxPosition(r.left, r.top, r.right, r.bottom, width, height), width, height,
                      area.left, area.top, area.right, area.bottom);
}

// Some systems (Wine among them) ignore the creation position or centre the box
// on the screen after creating it; when it is first activated it is put in place
// again with its final size.
void placeOnActivation(HWND window) {
    RECT box{};
    if (centering.placed || !hasDialogClassName(window) || !GetWindowRect(window, &box)) return;
    centering.placed = true;
    const BoxPosition at = centredOnOwner(box.right - box.left, box.bottom - box.top);
    if (at.x != box.left || at.y != box.top)
        SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK centerOnCreate(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        HWND window = reinterpret_cast<HWND>(wParam);
        CREATESTRUCTW* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        if (isDialogClass(window, create)) {
            const BoxPosition at = centredOnOwner(create->cx, create->cy);
            create->x = at.x;
            create->y = at.y;
        }
    } else if (code == HCBT_ACTIVATE) {
        placeOnActivation(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(centering.hook, code, wParam, lParam);
}

}  // namespace

BoxPosition centeredBoxPosition(int left, int top, int right, int bottom, int width, int height) {
    return BoxPosition{(left + right - width) / 2, (top + bottom - height) / 2};
}

BoxPosition keptInArea(BoxPosition at, int width, int height, int left, int top, int right, int bottom) {
    if (at.x + width > right) at.x = right - width;
    if (at.x < left) at.x = left;
    if (at.y + height > bottom) at.y = bottom - height;
    if (at.y < top) at.y = top;
    return at;
}

int showCenteredMessageBox(int ownerWindowId, const std::wstring& text, const std::wstring& title, unsigned flags) {
    HWND owner = static_cast<HWND>(windowHandle(ownerWindowId));
    centering.hook = nullptr;
    centering.placed = false;
    if (owner && GetWindowRect(owner, &centering.owner)) {
        centering.workArea = workAreaNear(centering.owner);
        centering.hook = SetWindowsHookExW(WH_CBT, centerOnCreate, nullptr, GetCurrentThreadId());
    }
    // Own copies: the caller's strings may belong to state that changes while the
    // box runs its message loop.
    const std::wstring boxText = fittedBoxText(text);
    const std::wstring boxTitle = title;
    const int answer = MessageBoxW(owner, boxText.c_str(), boxTitle.c_str(), flags);
    if (centering.hook) {
        UnhookWindowsHookEx(centering.hook);
        centering.hook = nullptr;
    }
    return answer;
}
