// Looks at things the way Kivo sees them, for the end-to-end tests. Output goes
// to a file, UTF-8, one entry a line. "<title>" is the exact title of the first
// visible top-level window that has it ("Kivo " keeps its trailing space).
//   probe texts "<title>" <file>      the title and the text of every child window
//   probe files "<pattern>" <file>    the names FindFirstFileW lists, in its order
//   probe rows "<title>" <file>       the rows of the list view with id 1:
//        <selected 0/1> TAB <label> TAB <item data>
//   probe selection "<title>" <file>  one line about the list view with id 1, quick
//        however long it is: rows <count> selected <first selected row or -1>
//        inview <0/1, the selected row wholly inside the list> label <its label>
//   probe rowpoint "<title>" <row> <file>   "X Y", the screen point at the centre
//        of the row's label, for xdotool (exit code 3: no such row)
//   probe post "<title>" <message> <wparam> <lparam>   PostMessageW, no output
//   probe state "<title>" <file>      one line about the window:
//        window <l> <t> <r> <b> client <w> <h> visible <0/1> iconic <0/1>
//        foreground <0/1> userdata <unsigned> exstyle 0x<hex> style 0x<hex>
//        then one line per direct child, its rectangle in the window's client area:
//        control <id> <class> <x> <y> <w> <h> enabled <0/1> visible <0/1> style 0x<hex> text <text>
//   probe repaint "<title>"           makes the window paint itself anew, frame and
//        controls included, as when it comes out from under another window
//   probe menu <file>                 every visible popup menu: menu <l> <t> <r> <b>,
//        then its entries, entry <id> <checked 0/1> <text>, where they can be read
//        (exit code 1: no menu open)
//   probe wait-gone "<title>" <seconds>   exit code 0 once no such window is
//        visible, 1 when it still is after that many seconds
//   probe hold <file> <seconds> <marker>   opens the file without sharing it, as
//        another program may, writes the marker file once it holds it, and lets
//        go after that many seconds (exit code 4: the file could not be opened)
//   probe owned-state "<title>" <file>   as state, for the first visible window
//        that the window owns (its About panel, a dialog)
//   probe workarea <file>             "<l> <t> <r> <b>", the desktop's work area
//   probe dialog-state "<title>" <file>   as state, for the first visible window
//        with the title that has an owner (a dialog titled like its owner)
//   probe link <lnk> <file>           target, arguments and directory of a shortcut
//   probe make-link <lnk> <target> <directory> [<arguments> [<icon file>]]   writes a shortcut
//   probe startup-folder <file>       the user's Startup folder (made when missing)
//   probe modules "<title>" <file>    the full paths of the libraries loaded in the process
//                                     that shows the window with this title
//   probe objects "<title>" <file>    the USER and GDI objects the process holds that
//        has a window (visible or not, answering or not) with that title:
//        user <n> gdi <m> by <GetGuiResources|table>
//        and, counted by table (under Wine), what they are:
//        windows <n> menus <n> icons <n> accelerators <n> bitmaps <n> dcs <n> other-gdi <n>
//   probe version <program> <file>   the program file's version information:
//        fixed <file version a.b.c.d> product <product version a.b.c.d>, then
//        FileVersion, ProductVersion, ProductName and OriginalFilename, each
//        with its text (exit code 1: the file has none)
//   probe dpi "<title>" <file>        "window <dpi> system <dpi>": the DPI the window
//        has (GetDpiForWindow) and the system's
//   probe tip <file>                  the text of the tool tip in sight (exit code 1:
//        none is shown)
//   probe dpi-change "<title>" <dpi>   sends the window WM_DPICHANGED as Windows does
//        when it goes to a display of that DPI, suggesting its present place
//   probe display <width> <height>    the display at that size (exit code 4: refused)
//   probe move "<title>" <x> <y>      moves the window's outer corner there, as a
//        drag would
//   probe fits "<title>" <file>       whether the window's controls and texts fit:
//        window <l> <t> <r> <b> work <l> <t> <r> <b>  (the monitor's work area), then
//        outside <id> <class> <text>   a visible control not wholly in the client area
//        cut <id> <class> <text>       a visible static or button whose text, in its
//                                      own font, does not fit the control
//   probe dialog-fits, probe owned-fits   the same for the window dialog-state and
//        owned-state look at
// A control line of `state` also holds, before its text, exstyle 0x<hex> and
// value <n>: a check box's check, a hotkey field's key (modifiers in the next
// byte), a drop-down list's selected row, 0 for the others.
// Exit codes: 1 no such window, 2 bad usage, 3 no such row, 4 the other
// process could not be read. Apart from `texts`, a line break inside a text is
// written as \n.
#include <cerrno>
#include <climits>
#include <cwchar>

#include "probe.h"

namespace {

using namespace probe;

bool parseInteger(const wchar_t* text, long long& value) {
    wchar_t* end = nullptr;
    errno = 0;
    value = wcstoll(text, &end, 10);
    return *text && *end == L'\0' && errno == 0;
}

// Texts as they are, line breaks included: the tests grep message box texts
// line by line.
void writeRaw(FILE* out, const std::wstring& text) {
    std::string line = utf8(text) + "\n";
    fwrite(line.data(), 1, line.size(), out);
}

int listFiles(const wchar_t* pattern, FILE* out) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return 1;
    do {
        writeRaw(out, found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return 0;
}

BOOL CALLBACK writeChild(HWND child, LPARAM param) {
    writeRaw(reinterpret_cast<FILE*>(param), textOf(child));
    return TRUE;
}

int writeTexts(HWND window, FILE* out) {
    writeRaw(out, textOf(window));
    EnumChildWindows(window, writeChild, reinterpret_cast<LPARAM>(out));
    return kFound;
}

int post(HWND window, wchar_t** numbers) {
    long long message = 0;
    long long wParam = 0;
    long long lParam = 0;
    if (!parseInteger(numbers[0], message) || !parseInteger(numbers[1], wParam) || !parseInteger(numbers[2], lParam)) {
        return kBadUsage;
    }
    if (!PostMessageW(window, static_cast<UINT>(message), static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam))) {
        return kUnreadable;
    }
    return kFound;
}

int waitGone(const wchar_t* title, const wchar_t* seconds) {
    wchar_t* end = nullptr;
    const double limit = wcstod(seconds, &end);
    if (!*seconds || *end != L'\0' || limit < 0) return kBadUsage;
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(limit * 1000);
    for (;;) {
        if (!findTopLevel(title)) return kFound;
        if (GetTickCount64() >= deadline) return kNotFound;
        Sleep(100);
    }
}

int holdFile(const wchar_t* path, const wchar_t* seconds, const wchar_t* marker) {
    long long limit = 0;
    if (!parseInteger(seconds, limit) || limit < 0) return kBadUsage;
    HANDLE file = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return kUnreadable;
    FILE* out = _wfopen(marker, L"wb");
    if (out) fclose(out);
    Sleep(static_cast<DWORD>(limit * 1000));
    CloseHandle(file);
    return kFound;
}

// Called only once the window is found: a missing window leaves no file behind
// that a test could take for an answer.
template <typename Write>
int toFile(const wchar_t* path, Write write) {
    FILE* out = _wfopen(path, L"wb");
    if (!out) return kBadUsage;
    int result = write(out);
    fclose(out);
    return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return kBadUsage;
    const std::wstring command = argv[1];
    if (command == L"files" && argc == 4) {
        return toFile(argv[3], [&](FILE* out) { return listFiles(argv[2], out); });
    }
    if (command == L"workarea" && argc == 3) {
        RECT area{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        return toFile(argv[2], [&](FILE* out) {
            fprintf(out, "%ld %ld %ld %ld\n", area.left, area.top, area.right, area.bottom);
            return kFound;
        });
    }
    if (command == L"tip" && argc == 3) {
        HWND tip = findShownTip();
        if (!tip) return kNotFound;
        return toFile(argv[2], [&](FILE* out) {
            writeText(out, textOf(tip));
            return kFound;
        });
    }
    if (command == L"menu" && argc == 3) {
        const std::vector<HWND> menus = findMenus();
        if (menus.empty()) return kNotFound;
        return toFile(argv[2], [&](FILE* out) { return writeMenus(menus, out); });
    }
    if (command == L"link" && argc == 4)
        return toFile(argv[3], [&](FILE* out) { return writeLink(argv[2], out); });
    if (command == L"make-link" && argc >= 5 && argc <= 7)
        return makeLink(argv[2], argv[3], argv[4], argc >= 6 ? argv[5] : L"", argc == 7 ? argv[6] : L"");
    if (command == L"startup-folder" && argc == 3)
        return toFile(argv[2], [&](FILE* out) { return writeStartupFolder(out); });
    if (command == L"dialog-state" && argc == 4) {
        HWND dialog = findDialog(argv[2]);
        if (!dialog) return kNotFound;
        return toFile(argv[3], [&](FILE* out) { return writeState(dialog, out); });
    }
    if (command == L"dialog-fits" && argc == 4) {
        HWND dialog = findDialog(argv[2]);
        if (!dialog) return kNotFound;
        return toFile(argv[3], [&](FILE* out) { return writeFits(dialog, out); });
    }
    if (command == L"objects" && argc == 4) {
        // By the title Windows keeps for the window, without asking it: a
        // program busy for seconds is measured all the same.
        HWND window = FindWindowW(nullptr, argv[2]);
        if (!window) return kNotFound;
        return toFile(argv[3], [&](FILE* out) { return writeObjectCounts(window, out); });
    }
    if (command == L"modules" && argc == 4) {
        HWND window = FindWindowW(nullptr, argv[2]);
        if (!window) return kNotFound;
        return toFile(argv[3], [&](FILE* out) { return writeModules(window, out); });
    }
    if (command == L"wait-gone" && argc == 4) return waitGone(argv[2], argv[3]);
    if (command == L"hold" && argc == 5) return holdFile(argv[2], argv[3], argv[4]);
    if (command == L"version" && argc == 4) return writeVersion(argv[2], argv[3]);
    if (command == L"display" && argc == 4) return changeDisplaySize(argv[2], argv[3]);
    if (command == L"move" && argc == 5) {
        HWND window = findTopLevel(argv[2]);
        if (!window) return kNotFound;
        SetWindowPos(window, nullptr, _wtoi(argv[3]), _wtoi(argv[4]), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return kFound;
    }

    const bool known = ((command == L"texts" || command == L"rows" || command == L"state" ||
                         command == L"owned-state" || command == L"selection" || command == L"fits" ||
                         command == L"owned-fits") && argc == 4) ||
                       (command == L"repaint" && argc == 3) || (command == L"dpi" && argc == 4) ||
                       (command == L"dpi-change" && argc == 4) || (command == L"rowpoint" && argc == 5) ||
                       (command == L"post" && argc == 6);
    if (!known) return kBadUsage;
    long long number = 0;  // a row, a DPI
    if ((command == L"rowpoint" || command == L"dpi-change") && !parseInteger(argv[3], number)) return kBadUsage;
    HWND window = findTopLevel(argv[2]);
    if (!window) return kNotFound;
    if (command == L"post") return post(window, argv + 3);
    if (command == L"repaint") {
        RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
        return kFound;
    }
    if (command == L"dpi") return toFile(argv[3], [&](FILE* out) { return writeDpi(window, out); });
    if (command == L"dpi-change")
        return number > 0 && number < 2000 ? sendDpiChange(window, static_cast<int>(number)) : kBadUsage;
    if (command == L"texts") return toFile(argv[3], [&](FILE* out) { return writeTexts(window, out); });
    if (command == L"rows") return toFile(argv[3], [&](FILE* out) { return writeRows(window, out); });
    if (command == L"state") return toFile(argv[3], [&](FILE* out) { return writeState(window, out); });
    if (command == L"selection") return toFile(argv[3], [&](FILE* out) { return writeSelection(window, out); });
    if (command == L"fits") return toFile(argv[3], [&](FILE* out) { return writeFits(window, out); });
    if (command == L"owned-state" || command == L"owned-fits") {
        HWND owned = findOwnedWindow(window);
        if (!owned) return kNotFound;
        if (command == L"owned-fits") return toFile(argv[3], [&](FILE* out) { return writeFits(owned, out); });
        return toFile(argv[3], [&](FILE* out) { return writeState(owned, out); });
    }
    const int index = number >= 0 && number <= INT_MAX ? static_cast<int>(number) : -1;
    return toFile(argv[4], [&](FILE* out) { return writeRowPoint(window, index, out); });
}
