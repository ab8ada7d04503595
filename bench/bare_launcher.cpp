// The yardstick for Kivo's benchmarks: a launcher window as a plain Win32
// program makes it. One large-icon list view, the inner size of Kivo's default
// window, filled from a category file with the shell's icons before it shows.
//   bare_launcher <list.kvl> [<second list.kvl>]
// The command kSwitchCommand empties the view and fills it from the second list.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "switch_command.h"

namespace {

constexpr int kInnerWidth = 350;
constexpr int kInnerHeight = 250;

struct Row {
    std::wstring caption;
    std::wstring command;
};

struct BareWindow {
    HWND view = nullptr;
    HIMAGELIST images = nullptr;
    std::wstring secondList;
};
BareWindow bare;

std::string fileBytes(const wchar_t* path) {
    std::string bytes;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size)) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) read = 0;
        bytes.resize(read);
    }
    CloseHandle(file);
    return bytes;
}

// "Caption=command;parameters;..." lines of a UTF-8 file; only caption and command count here.
std::vector<Row> readRows(const wchar_t* path) {
    const std::string bytes = fileBytes(path);
    const size_t skip = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    const int byteCount = static_cast<int>(bytes.size() - skip);
    const int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data() + skip, byteCount, nullptr, 0);
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data() + skip, byteCount, text.data(), length);
    std::vector<Row> rows;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        const size_t equals = line.find(L'=');
        if (equals == std::wstring::npos || equals == 0) continue;
        const size_t semicolon = line.find(L';', equals + 1);
        const size_t commandEnd = semicolon == std::wstring::npos ? line.size() : semicolon;
        rows.push_back(Row{line.substr(0, equals), line.substr(equals + 1, commandEnd - equals - 1)});
    }
    return rows;
}

void fillView(const std::vector<Row>& rows) {
    for (size_t i = 0; i < rows.size(); ++i) {
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
    fillView(rows);
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

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 2) return 2;
    if (argc > 2) bare.secondList = argv[2];
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    WNDCLASSW wc{};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"KivoBenchBare";
    RegisterClassW(&wc);
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    RECT outer{0, 0, kInnerWidth, kInnerHeight};
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"Bare launcher", style, 200, 200, outer.right - outer.left,
                                  outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    bare.view = CreateWindowExW(0, WC_LISTVIEWW, L"",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_ICON | LVS_SINGLESEL | LVS_AUTOARRANGE |
                                    LVS_SHOWSELALWAYS,
                                0, 0, kInnerWidth, kInnerHeight, window, nullptr, instance, nullptr);
    const std::vector<Row> rows = readRows(argv[1]);
    bare.images = ImageList_Create(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), ILC_COLOR32 | ILC_MASK,
                                   static_cast<int>(rows.size()), 16);
    SendMessageW(bare.view, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(bare.images));
    fillView(rows);
    LocalFree(argv);

    ShowWindow(window, show);
    UpdateWindow(window);
    SetFocus(bare.view);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
