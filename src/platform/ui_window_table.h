#pragma once
// What the platform layer keeps for each of the program's windows. Only for the
// platform's own sources.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/ui_events.h"
#include "platform/ui_item_view.h"
#include "platform/ui_search_field.h"
#include "platform/ui_windows.h"

// The message the tray icon sends its window.
constexpr UINT kTrayMessage = WM_APP + 1;
// Posted by a work thread (background_work.h); the work's code in the first parameter.
constexpr UINT kWorkMessage = WM_APP + 2;

// A few of Wine's drawing and stacking habits need a way around them that
// Windows must not take.
inline bool runningUnderWine() {
    static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

inline UiEvent eventFor(int windowId, UiEventKind kind, int code = 0) {
    UiEvent event;
    event.windowId = windowId;
    event.kind = kind;
    event.code = code;
    return event;
}

// Where the program put a control and the font it gave it, in units of a pixel
// at 96 DPI: what the control is given again, in pixels, at another DPI.
struct ControlPlace {
    HWND control = nullptr;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool ownFont = false;  // the program's font in `font`; else the system's dialog font
    LOGFONTW font{};  // as the program made it, at 96 DPI
    bool fitsText = false;  // as wide as its text (fitControlToText)
    int spacingX = 0;  // an item view's icon spacing; 0: the system's
    int spacingY = 0;
    bool spacingSet = false;  // given to the view in pixels, not left to it
};

// A font of the program made anew at the window's DPI.
struct ScaledFont {
    LOGFONTW at{};  // what it was made of
    HFONT font = nullptr;
};

// A label whose access key gives the focus to a control other than the one
// after it in the Tab order (useDialogKeys).
struct LabelTarget {
    HWND label = nullptr;
    HWND control = nullptr;
};

// Ticks of the caller's timer (250 ms) over which a window kept on top raises
// itself again after the foreground changed or it lost the activation.
constexpr int kRaisesAfterChange = 8;

struct WindowRecord {
    HWND handle = nullptr;
    // The scale the window is laid out at: its display's, or for a dialog of
    // fixed layout the largest that lets it stand whole in the work area.
    int dpi = kBaseDpi;
    int displayDpi = kBaseDpi;  // of the display the window is on, as last reported to it
    bool fitsWorkArea = false;  // a dialog of fixed layout (WindowSpec::dialogFrame)
    int fitWidth = 0;  // its inner size in units, as last placed; 0 before
    int fitHeight = 0;
    // Such a dialog too large even at 100 % scrolls (ui_scrolling.h), in pixels:
    int scrollY = 0;       // how far down its inner area is scrolled
    int scrollHeight = 0;  // the whole inner area's height; 0: it does not scroll
    int scrollPage = 0;    // the height of what can be seen of it
    bool ownWindow = false;  // made by openWindow (not only registered)
    HACCEL shortcuts = nullptr;
    HBRUSH background = nullptr;
    COLORREF backgroundColor = 0;
    COLORREF staticTextColor = 0;
    bool hasColors = false;
    HWND tips = nullptr;
    HWND lastForeground = nullptr;  // seen by keepWindowOnTop
    int raisesLeft = 0;             // its raises still due since the foreground changed
    bool ignoreLoneAlt = false;
    bool dialogKeys = false;  // Tab moves between controls; Return and Escape go to the loop
    bool settingText = false;  // the program itself is changing a control's text
    HWND lastFocus = nullptr;  // the control that had the focus when the window was left
    std::vector<LabelTarget> labelTargets;
    HWND searchField = nullptr;  // the window's search field, if it has one
    int searchListId = 0;        // the list its arrow keys move in
    SearchFieldKeys searchKeys;
    void (*sizeHandler)(SizeKind kind) = nullptr;
    void (*sessionEndHandler)() = nullptr;
    std::vector<ControlPlace> places;
    std::vector<ScaledFont> fonts;
};

constexpr int kWindowCount = 5;

// Null for numbers that are not windows of the program.
WindowRecord* windowRecord(int windowId);
// The number of the program's top-level window that holds `window` (itself or
// one of its controls); -1 when none.
int windowIdOf(HWND window);
HWND controlHandle(int windowId, int controlId);
// The window's tip window, made when first needed; null when it cannot be made.
HWND tipWindow(WindowRecord& record);
bool isItemViewControl(HWND control);
// A list whose rows the program keeps (ui_result_view.h).
bool isResultView(HWND control);
void answerResultDisplayInfo(int windowId, NMLVDISPINFOW& info);
// The tip of the row under the pointer, asked for by the window's tip window.
void answerResultTip(int windowId, NMTTDISPINFOW& tip);
// The answer to a result view's custom-draw notification; false for other controls.
bool answerResultDrawing(NMLVCUSTOMDRAW& draw, LRESULT& result);
// Check boxes and radio buttons of a dialog laid out smaller than its display
// drawn at the layout's scale (ui_check_boxes.cpp); false where the system draws.
bool answerCheckBoxDrawing(const WindowRecord& record, NMCUSTOMDRAW& draw, LRESULT& result);
// Switches an item view to the mode, drawing from `images`.
void setItemViewMode(HWND view, ItemViewMode mode, void* images);
// True when the view is in the mode already and draws from `images`.
bool itemViewInMode(HWND view, ItemViewMode mode, void* images);
// An item view asks for the text and image of a row it is about to draw
// (LVN_GETDISPINFOW); the program's rows are kept here, not in the view.
void answerItemDisplayInfo(int windowId, LPARAM displayInfo);
// The rows of an item view, kept here rather than in the view (owner data).
// A row as the view asks for it when it draws it: a category of any size
// costs the view nothing beyond the rows in sight. Its text comes from the
// text source when it is drawn, unless the row was given one.
struct ItemRow {
    int image = kRowImageNone;  // an index into the image list, or a kRowImage value
    int data = 0;
};

struct StoredRows {
    HWND view = nullptr;
    int windowId = -1;
    int controlId = -1;
    std::vector<ItemRow> rows;
    std::vector<std::wstring> texts;  // of each row, when they were given
    bool redrawing = true;  // what WM_SETREDRAW last told the view
};
// The rows of an item view; null for another control.
StoredRows* storedOf(HWND view);
// The text a row shows.
std::wstring textOfRow(const StoredRows& stored, size_t row);
// Turns the view's redrawing on or off, noting which.
void setViewRedraw(HWND view, bool redraw);
bool isIconView(HWND view);
// Wine's list view lays out every row, measuring each, when it first redraws
// after it was made or changed its form. Drawn once while it has no rows, into
// a bitmap that is never shown, it has that behind it.
void drawEmptyOnce(HWND view);
// LVSIL_NORMAL for an icon view, LVSIL_SMALL for the others.
int imageSlotOf(HWND view);
// Rows are kept for this new item view from now on.
void keepItemRows(HWND view, int windowId, int controlId);
// True for an item view whose rows are kept here (not a result view).
bool isStoredItemView(HWND view);
// The data of a kept row; -1 for no such row.
int storedRowData(HWND view, int row);
// Makes the one column of a single-column view as wide as the view inside.
void fitSingleColumn(HWND view);
// LVN_ODFINDITEMW, the letters typed into the view: the row they begin, or -1.
LRESULT answerItemFind(const NMLVFINDITEMW& find);

// A child control of the program's window, in its default font; null when the
// number is taken or the system refuses it.
HWND createChildControl(int windowId, int controlId, const wchar_t* className, DWORD style, int x, int y, int width,
                        int height, const std::wstring& text, DWORD exStyle = 0);
// Links (ui_panel_controls.h): their colours when the control is one, the link
// under the pointer, and forgetting those of a window that goes.
bool linkColors(HWND control, HDC dc);
void trackHotLink(HWND under);
void forgetLinksOf(HWND window);
// Destroys the icons that the window's icon buttons show (their own copies).
void releaseButtonIcons(HWND window);

// For a window with dialog keys: Return and Escape that no control wants are
// taken as key events only; every other message goes through the system's
// dialog handling. True when the message was used up.
bool takeDialogMessage(int windowId, MSG& message);

// A key message for the window's search field: true when used up; otherwise
// `skipShortcuts` tells whether it is a key the field types with.
bool takeSearchFieldKey(int windowId, MSG& message, bool& skipShortcuts);

LRESULT CALLBACK programWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Messages the window procedure does not see: shortcuts, raw mouse messages of
// the controls and dropped files. True when the message was used up.
bool preTranslateMessage(MSG& message);
// The registered "TaskbarCreated" message.
UINT taskbarCreatedMessage();
void restoreTrayIcons();
