// The yardstick for Kivo's benchmarks: a launcher window as a plain Win32
// program makes it. One large-icon list view, the inner size of Kivo's default
// window, filled from a category file with the shell's icons before it shows.
//   bare_launcher <list.kvl> [<second list.kvl>]
// The command kSwitchCommand empties the view and fills it from the second list.
//   bare_launcher /sight <list.kvl>
// Reads the whole list the same way but puts only its first kBareRowsInSight
// rows into the view: start, read the category, draw the rows in sight.
//   bare_launcher /find <folder>
// Holds the items of every category file in the folder and lists those that
// match a field as it is typed into (bare_find.cpp).
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <cstdint>
#include <string>
#include <vector>

#include "bare_find.h"
#include "bare_rows.h"
#include "bare_window.h"
#include "switch_command.h"

namespace {

constexpr int kInnerWidth = kBareInnerWidth;
constexpr int kInnerHeight = kBareInnerHeight;

struct BareWindow {
    HWND view = nullptr;
    HIMAGELIST images = nullptr;
    std::wstring secondList;
};
BareWindow bare;

void fillView(const std::vector<Row>& rows, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        int image = I_IMAGENONE;
        SHFILEINFOW info{};
        if (SHGetFileInfoW(rows[i].command.c_str(), 0, &info, sizeof info, SHGFI_ICON) && info.hIcon) {
            image = ImageList_AddIcon(bare.images, info.hIcon);
            DestroyIcon(info.hIcon);
        }
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(rows[i].caption.c_str());
        item.iImage = image;
        SendMessageW(bare.view, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
}

void switchToSecondList() {
    const std::vector<Row> rows = readRows(bare.secondList.c_str());
    SendMessageW(bare.view, WM_SETREDRAW, FALSE, 0);
    SendMessageW(bare.view, LVM_DELETEALLITEMS, 0, 0);
    ImageList_RemoveAll(bare.images);
    fillView(rows, rows.size());
    SendMessageW(bare.view, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(bare.view, nullptr, TRUE);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            if (bare.view) MoveWindow(bare.view, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kSwitchCommand && !bare.secondList.empty()) switchToSecondList();
            return 0;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

// The window, not yet shown, or null; its view holds the first `limit` rows of the list.
HWND createListWindow(HINSTANCE instance, const wchar_t* list, size_t limit) {
    HWND window = createBareWindow(instance, windowProc, L"KivoBenchBare");
    if (!window) return nullptr;
    bare.view = CreateWindowExW(0, WC_LISTVIEWW, L"",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_ICON | LVS_SINGLESEL | LVS_AUTOARRANGE |
                                    LVS_SHOWSELALWAYS,
                                0, 0, kInnerWidth, kInnerHeight, window, nullptr, instance, nullptr);
    const std::vector<Row> rows = readRows(list);
    const size_t count = rows.size() < limit ? rows.size() : limit;
    bare.images = ImageList_Create(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), ILC_COLOR32 | ILC_MASK,
                                   static_cast<int>(count), 16);
    SendMessageW(bare.view, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(bare.images));
    fillView(rows, count);
    return window;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 2) return 2;
    const bool find = lstrcmpW(argv[1], L"/find") == 0;
    const bool sight = lstrcmpW(argv[1], L"/sight") == 0;
    if (!find && !sight && argc > 2) bare.secondList = argv[2];
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    HWND window = nullptr;
    if (find || sight) {
        if (argc > 2)
            window = find ? createFindWindow(instance, argv[2]) : createListWindow(instance, argv[2], kBareRowsInSight);
    } else {
        window = createListWindow(instance, argv[1], SIZE_MAX);
    }
    LocalFree(argv);
    if (!window) return 1;
    ShowWindow(window, show);
    UpdateWindow(window);
    if (!find) SetFocus(bare.view);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
