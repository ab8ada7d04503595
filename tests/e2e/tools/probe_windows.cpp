// Finding windows by title and describing one window with its controls.
#include "probe.h"

#include <commctrl.h>

namespace probe {

namespace {

struct Search {
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK matchTitle(HWND window, LPARAM param) {
    Search* search = reinterpret_cast<Search*>(param);
    if (IsWindowVisible(window) && textOf(window) == search->title) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

struct Children {
    HWND parent;
    FILE* out;
};

// What a control holds besides its text: a check box its check (0, 1, 2), a
// hotkey field its key with the modifiers in the next byte, a drop-down list
// its selected row; 0 for the others.
long controlValue(HWND control, const wchar_t* className) {
    const std::wstring name = className;
    DWORD_PTR value = 0;
    UINT message = 0;
    if (_wcsicmp(name.c_str(), L"Button") == 0) message = BM_GETCHECK;
    if (_wcsicmp(name.c_str(), L"msctls_hotkey32") == 0) message = WM_USER + 2;  // HKM_GETHOTKEY
    if (_wcsicmp(name.c_str(), L"ComboBox") == 0) message = CB_GETCURSEL;
    if (message == 0 || !SendMessageTimeoutW(control, message, 0, 0, SMTO_ABORTIFHUNG, 2000, &value)) return 0;
    return static_cast<long>(static_cast<LONG_PTR>(value));
}

BOOL CALLBACK writeControl(HWND child, LPARAM param) {
    const Children* children = reinterpret_cast<const Children*>(param);
    // EnumChildWindows goes into grandchildren too; the tests lay out only the
    // window's own controls.
    if (GetAncestor(child, GA_PARENT) != children->parent) return TRUE;
    wchar_t className[256] = L"";
    GetClassNameW(child, className, 256);
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, children->parent, reinterpret_cast<POINT*>(&rect), 2);
    fprintf(children->out, "control %d ", GetDlgCtrlID(child));
    fputs(utf8(className).c_str(), children->out);
    fprintf(children->out, " %ld %ld %ld %ld enabled %d visible %d style 0x%08lx exstyle 0x%08lx value %ld text ",
            rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, IsWindowEnabled(child) ? 1 : 0,
            IsWindowVisible(child) ? 1 : 0, static_cast<unsigned long>(GetWindowLongW(child, GWL_STYLE)),
            static_cast<unsigned long>(GetWindowLongW(child, GWL_EXSTYLE)), controlValue(child, className));
    writeText(children->out, textOf(child));
    return TRUE;
}

}  // namespace

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

HWND findTopLevel(const wchar_t* title) {
    Search search{title, nullptr};
    EnumWindows(matchTitle, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

namespace {

struct OwnedSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK matchOwner(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<OwnedSearch*>(param);
    if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER) != search->owner) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

namespace {

BOOL CALLBACK matchDialog(HWND window, LPARAM param) {
    Search* search = reinterpret_cast<Search*>(param);
    if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) && textOf(window) == search->title) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND findDialog(const wchar_t* title) {
    Search search{title, nullptr};
    EnumWindows(matchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND findOwnedWindow(HWND owner) {
    OwnedSearch search{owner, nullptr};
    EnumWindows(matchOwner, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string utf8(const std::wstring& text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
    return bytes;
}

void writeText(FILE* out, const std::wstring& text) {
    std::wstring line;
    for (wchar_t c : text) {
        if (c == L'\r') continue;
        if (c == L'\n') {
            line += L"\\n";
        } else {
            line += c;
        }
    }
    std::string bytes = utf8(line) + "\n";
    fwrite(bytes.data(), 1, bytes.size(), out);
}

int writeState(HWND window, FILE* out) {
    RECT frame{};
    RECT client{};
    GetWindowRect(window, &frame);
    GetClientRect(window, &client);
    // Unsigned, so that a pointer kept there reads the same as the program's own
    // idea of it.
    const auto userData = static_cast<unsigned long long>(GetWindowLongPtrW(window, GWLP_USERDATA));
    const auto exStyle = static_cast<unsigned long>(GetWindowLongW(window, GWL_EXSTYLE));
    const auto style = static_cast<unsigned long>(GetWindowLongW(window, GWL_STYLE));
    fprintf(out,
            "window %ld %ld %ld %ld client %ld %ld visible %d iconic %d foreground %d userdata %llu "
            "exstyle 0x%08lx style 0x%08lx\n",
            frame.left, frame.top, frame.right, frame.bottom, client.right - client.left, client.bottom - client.top,
            IsWindowVisible(window) ? 1 : 0, IsIconic(window) ? 1 : 0, GetForegroundWindow() == window ? 1 : 0,
            userData, exStyle, style);
    Children children{window, out};
    EnumChildWindows(window, writeControl, reinterpret_cast<LPARAM>(&children));
    return kFound;
}

namespace {

BOOL CALLBACK matchShownTip(HWND window, LPARAM param) {
    wchar_t className[64] = L"";
    GetClassNameW(window, className, 64);
    if (!IsWindowVisible(window) || _wcsicmp(className, TOOLTIPS_CLASSW) != 0) return TRUE;
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
}

}  // namespace

HWND findShownTip() {
    HWND found = nullptr;
    EnumWindows(matchShownTip, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace probe
