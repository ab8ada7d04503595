#include "bare_find.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <map>
#include <string>
#include <vector>

#include "bare_rows.h"
#include "bare_window.h"
#include "find_command.h"

// The way a small Win32 program filters a list as it is typed into: on every
// change of the field it searches all rows with lower-cased copies and refills
// an ordinary list view, redrawing suspended, one LVM_INSERTITEM a match. The
// icons are the shell's system image list, looked up once per file when the
// files are read, so a keystroke takes none out of files.

namespace {

constexpr int kInnerWidth = kBareInnerWidth;
constexpr int kInnerHeight = kBareInnerHeight;
constexpr int kFieldTop = 6;
constexpr int kFieldHeight = 23;
constexpr int kListTop = 35;  // the height of Kivo's title strip
constexpr int kListId = 7;

struct FindRow {
    std::wstring caption;
    std::wstring lowerCaption;
    std::wstring lowerFileName;  // of the command
    int image = I_IMAGENONE;
};

struct BareFind {
    HWND field = nullptr;
    HWND view = nullptr;
    std::vector<FindRow> rows;
};
BareFind finder;

std::wstring lowered(std::wstring text) {
    if (!text.empty()) CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

int systemImageOf(const std::wstring& path, std::map<std::wstring, int>& known) {
    const auto found = known.find(path);
    if (found != known.end()) return found->second;
    SHFILEINFOW info{};
    const int image =
        SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX) ? info.iIcon : I_IMAGENONE;
    known.emplace(path, image);
    return image;
}

// The shortcuts the bench puts into the Start menu, which Kivo's Find lists
// too: named as their targets are.
void readShortcuts(std::map<std::wstring, int>& images) {
    wchar_t programs[MAX_PATH] = L"";
    if (!SHGetSpecialFolderPathW(nullptr, programs, CSIDL_PROGRAMS, FALSE)) return;
    const std::wstring group = std::wstring(programs) + L"\\Kivo bench";
    WIN32_FIND_DATAW entry{};
    HANDLE search = FindFirstFileW((group + L"\\*.lnk").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::wstring name = entry.cFileName;
        name.resize(name.size() - 4);
        finder.rows.push_back(FindRow{name, lowered(name), lowered(name + L".exe"),
                                      systemImageOf(group + L"\\" + entry.cFileName, images)});
    } while (FindNextFileW(search, &entry));
    FindClose(search);
}

void readFolder(const std::wstring& folder) {
    std::map<std::wstring, int> images;
    readShortcuts(images);
    WIN32_FIND_DATAW entry{};
    HANDLE search = FindFirstFileW((folder + L"\\*.kvl").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        for (const Row& row : readRows((folder + L"\\" + entry.cFileName).c_str())) {
            const std::wstring fileName = row.command.substr(row.command.find_last_of(L'\\') + 1);
            finder.rows.push_back(
                FindRow{row.caption, lowered(row.caption), lowered(fileName), systemImageOf(row.command, images)});
        }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
}

void showMatches() {
    const int length = GetWindowTextLengthW(finder.field);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(finder.field, text.data(), length + 1)));
    text = lowered(text);
    SendMessageW(finder.view, WM_SETREDRAW, FALSE, 0);
    SendMessageW(finder.view, LVM_DELETEALLITEMS, 0, 0);
    int shown = 0;
    for (const FindRow& row : finder.rows) {
        if (text.empty() ||
            (row.lowerCaption.find(text) == std::wstring::npos && row.lowerFileName.find(text) == std::wstring::npos))
            continue;
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = shown++;
        item.pszText = const_cast<wchar_t*>(row.caption.c_str());
        item.iImage = row.image;
        SendMessageW(finder.view, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(finder.view, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(finder.view, nullptr, TRUE);
}

LRESULT CALLBACK findWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            if (finder.view) MoveWindow(finder.view, 0, kListTop, LOWORD(lParam), HIWORD(lParam) - kListTop, TRUE);
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kFindFieldId && HIWORD(wParam) == EN_CHANGE) showMatches();
            if (LOWORD(wParam) == kFindCommand && !lParam) SetFocus(finder.field);
            return 0;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

HWND createFindWindow(HINSTANCE instance, const wchar_t* folder) {
    HWND window = createBareWindow(instance, findWindowProc, L"KivoBenchBareFind");
    if (!window) return nullptr;
    finder.field = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL,
                                   kFieldTop, kFieldTop, kInnerWidth - 2 * kFieldTop, kFieldHeight, window,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFindFieldId)), instance, nullptr);
    finder.view = CreateWindowExW(0, WC_LISTVIEWW, L"",
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_ICON | LVS_SINGLESEL | LVS_AUTOARRANGE |
                                      LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
                                  0, kListTop, kInnerWidth, kInnerHeight - kListTop, window,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), instance, nullptr);
    SHFILEINFOW info{};
    const auto systemImages = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_LARGEICON));
    SendMessageW(finder.view, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(systemImages));
    readFolder(folder);
    SetFocus(finder.field);
    return window;
}
