#include "platform/foreign_window.h"

#include <windows.h>

#include "platform/screen_fit.h"
#include "platform/ui_windows.h"

namespace {

// Long enough for a viewer that Wine or a cold disk starts slowly.
constexpr DWORD kPatience = 20000;
constexpr DWORD kLookEvery = 50;

struct Watch {
    HANDLE process;  // a handle of the watch's own, closed when it ends
    DWORD processId;
    RECT work;
};

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK isFirstWindow(HWND window, LPARAM searchParam) {
    Search& search = *reinterpret_cast<Search*>(searchParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    // Its main window: shown, owned by no other, with a title.
    if (owner != search.processId || !IsWindowVisible(window) || GetWindow(window, GW_OWNER) ||
        GetWindowTextLengthW(window) == 0)
        return TRUE;
    search.found = window;
    return FALSE;
}

void moveWithin(HWND window, const RECT& work) {
    RECT outer{};
    if (IsIconic(window) || IsZoomed(window) || !GetWindowRect(window, &outer)) return;
    const RECT kept = keptWithin(outer, work, true);
    if (EqualRect(&kept, &outer)) return;
    SetWindowPos(window, nullptr, kept.left, kept.top, kept.right - kept.left, kept.bottom - kept.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void watchForWindow(void* context) {
    Watch* watch = static_cast<Watch*>(context);
    const DWORD start = GetTickCount();
    // Waiting on the process ends the watch as soon as the viewer is closed.
    while (GetTickCount() - start < kPatience && WaitForSingleObject(watch->process, kLookEvery) == WAIT_TIMEOUT) {
        Search search{watch->processId, nullptr};
        EnumWindows(isFirstWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            moveWithin(search.found, watch->work);
            break;
        }
    }
    CloseHandle(watch->process);
    delete watch;
}

}  // namespace

bool keepFirstWindowNear(WorkThread& watcher, const ProcessHandle& process, int nearWindowId) {
    if (!process) return false;
    RECT nearRect{};
    HWND nearWindow = static_cast<HWND>(windowHandle(nearWindowId));
    if (!nearWindow || !GetWindowRect(nearWindow, &nearRect)) SetRectEmpty(&nearRect);
    HANDLE own = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), static_cast<HANDLE>(process.handle), GetCurrentProcess(), &own,
                         SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, 0))
        return false;
    Watch* watch = new Watch{own, GetProcessId(own), workAreaNear(nearRect)};
    if (startWorkThread(watcher, watchForWindow, watch)) return true;
    CloseHandle(own);
    delete watch;
    return false;
}
