// What the probe's commands share. Every command writes UTF-8 lines ending in a
// bare LF, so that shell scripts can compare them without stripping CRs.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace objects {
struct FontQuery;
}

namespace probe {

// Exit codes the test scripts tell apart.
constexpr int kFound = 0;
constexpr int kNotFound = 1;     // no such window (or menu)
constexpr int kBadUsage = 2;
constexpr int kNoSuchRow = 3;
constexpr int kUnreadable = 4;   // the other process's memory or messages failed us

// WM_GETTEXT with a timeout: a hung Kivo must fail a test, not freeze it.
std::wstring textOf(HWND window);

// The first visible top-level window whose title equals `title` exactly.
HWND findTopLevel(const wchar_t* title);

// The first visible top-level window that `owner` owns (a panel or dialog of it).
HWND findOwnedWindow(HWND owner);

std::string utf8(const std::wstring& text);

// The text as one UTF-8 line: a line break inside it would split the entry.
void writeText(FILE* out, const std::wstring& text);

int writeRows(HWND window, FILE* out);
int writeRowPoint(HWND window, int row, FILE* out);
int writeSelection(HWND window, FILE* out);
int writeState(HWND window, FILE* out);
// The visible popup-menu windows, top of the Z order first.
std::vector<HWND> findMenus();
int writeMenus(const std::vector<HWND>& menus, FILE* out);

// The tool tip window in sight, of any program; null when none is shown.
HWND findShownTip();

// The first visible top-level window with the title that has an owner: a
// dialog, which may share its title with the window that opened it.
HWND findDialog(const wchar_t* title);

// Shortcut files: "target", "arguments" and "directory" lines; a shortcut
// written to `target` with that working directory; the user's Startup folder.
int writeLink(const wchar_t* linkFile, FILE* out);
int makeLink(const wchar_t* linkFile, const wchar_t* target, const wchar_t* directory, const wchar_t* arguments,
             const wchar_t* icon);
int writeStartupFolder(FILE* out);

// The full paths of the libraries loaded in the window's process.
int writeModules(HWND window, FILE* out);

// The USER and GDI objects held by the window's process (see probe_objects.cpp).
int writeObjectCounts(HWND window, FILE* out);

// "window <dpi> system <dpi>": the DPI the window has and the system's.
int writeDpi(HWND window, FILE* out);
// Sends the window WM_DPICHANGED for that DPI, suggesting its present place.
int sendDpiChange(HWND window, int dpi);
// The primary display at that size (the Wine desktop's), as the display
// settings would set it; every window is told with WM_DISPLAYCHANGE.
int changeDisplaySize(const wchar_t* width, const wchar_t* height);

// The version information of a program file (see probe_version.cpp), written
// into the output file only when the program file has some.
int writeVersion(const wchar_t* programFile, const wchar_t* outputFile);

// What each font of the window's process is (see object_counts.h).
int describeFonts(HWND window, objects::FontQuery& query);
// The window's rectangle and work area, then its controls that stand out of
// it or whose texts do not fit them (see probe.cpp).
int writeFits(HWND window, FILE* out);

}  // namespace probe
