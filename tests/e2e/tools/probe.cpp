// Looks at things the way Kivo sees them, for the end-to-end tests. Output goes
// to a file, UTF-8, one entry a line.
//   probe texts "<exact title>" <file>   the title and the text of every child
//        window of the first visible top-level window with that title
//        (exit code 1: no such window)
//   probe files "<pattern>" <file>       the names FindFirstFileW lists, in its order
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

int listFiles(const wchar_t* pattern, FILE* out) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return 1;
    do {
        std::string line = utf8(found.cFileName) + "\n";
        fwrite(line.data(), 1, line.size(), out);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) return 2;
    const std::wstring command = argv[1];
    if (command == L"files") {
        FILE* out = _wfopen(argv[3], L"wb");
        if (!out) return 2;
        int result = listFiles(argv[2], out);
        fclose(out);
        return result;
    }
    if (command != L"texts") return 2;
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
