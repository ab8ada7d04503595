// Reads what a window of another program shows, for the end-to-end tests:
//   window_probe texts "<exact title>" <output file>
// writes the title and the text of every child window (one a line, UTF-8) of
// the first visible top-level window with that title. Exit code 1: no such window.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct Search {
    const wchar_t* title;
    HWND found;
};

std::wstring textOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return L"";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        2000, &copied);
    text.resize(copied);
    return text;
}

BOOL CALLBACK matchTitle(HWND window, LPARAM param) {
    Search* search = reinterpret_cast<Search*>(param);
    if (IsWindowVisible(window) && textOf(window) == search->title) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

std::string utf8(const std::wstring& text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
    return bytes;
}

BOOL CALLBACK writeChild(HWND child, LPARAM param) {
    std::string line = utf8(textOf(child)) + "\n";
    fwrite(line.data(), 1, line.size(), reinterpret_cast<FILE*>(param));
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4 || std::wstring(argv[1]) != L"texts") return 2;
    Search search{argv[2], nullptr};
    EnumWindows(matchTitle, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return 1;
    FILE* out = _wfopen(argv[3], L"wb");
    if (!out) return 2;
    std::string title = utf8(textOf(search.found)) + "\n";
    fwrite(title.data(), 1, title.size(), out);
    EnumChildWindows(search.found, writeChild, reinterpret_cast<LPARAM>(out));
    fclose(out);
    return 0;
}
