#include "platform/other_instance.h"

#include <windows.h>

#include "platform/ui_events.h"

namespace {

struct InstanceSearch {
    const std::wstring* title;
    uint32_t userData;
    HWND found;
};

BOOL CALLBACK matchInstance(HWND window, LPARAM param) {
    InstanceSearch* search = reinterpret_cast<InstanceSearch*>(param);
    // The whole title, however long: a cut one would match a shorter title, and
    // never a longer one.
    const int length = GetWindowTextLengthW(window);
    if (length != static_cast<int>(search->title->size())) return TRUE;
    std::wstring title(static_cast<size_t>(length) + 1, L'\0');
    title.resize(static_cast<size_t>(GetWindowTextW(window, title.data(), length + 1)));
    if (*search->title != title) return TRUE;
    if (static_cast<uint32_t>(GetWindowLongPtrW(window, GWLP_USERDATA)) != search->userData) return TRUE;
    // The launcher stays hidden while the configuration editor, which carries
    // the same marks, is open: the window on show is the one to answer.
    if (!search->found) search->found = window;
    if (!IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

void* findInstanceWindow(const std::wstring& title, uint32_t userData) {
    InstanceSearch search{&title, userData, nullptr};
    EnumWindows(matchInstance, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void restoreInstanceWindow(void* window) {
    HWND w = static_cast<HWND>(window);
    ShowWindow(w, SW_RESTORE);
    // A dialog or message box the window has open comes forward in its place.
    SetForegroundWindow(GetLastActivePopup(w));
}

bool postInstanceCommand(void* window, int command) {
    return PostMessageW(static_cast<HWND>(window), kInstanceMessage, static_cast<WPARAM>(command), 0) != FALSE;
}
