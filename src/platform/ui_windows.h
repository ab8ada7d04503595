#pragma once
// Kivo's windows and their controls, addressed by the program's own numbers.
#include <cstdint>
#include <string>

constexpr int kLauncherWindow = 0;
constexpr int kEditorWindow = 1;
constexpr int kSettingsWindow = 2;
constexpr int kAboutWindow = 3;
constexpr int kIconWindow = 4;

// Controls of the launcher window.
constexpr int kLauncherItemView = 1;
constexpr int kLauncherTitleStrip = 2;
constexpr int kLauncherPreviousArrow = 3;
constexpr int kLauncherNextArrow = 4;
constexpr int kLauncherCloseGlyph = 5;
constexpr int kLauncherFindField = 6;  // over the title strip while Find is open
constexpr int kLauncherFindView = 7;   // the found items, over the item view

// Display scaling. Sizes and places go into these functions and come out of
// them (and of those of ui_controls.h, ui_dialog_controls.h, ui_panel_controls.h
// and ui_item_view.h) in units of a pixel at 96 DPI, the 100 % of the display
// settings: a window 350 units wide is 525 pixels wide at 150 % (144 DPI).
// Sizes follow the DPI of the display the window is on, and change with it when
// the window goes to another display. Screen places (window corners, the work
// area) follow the system's DPI, one scale for the whole screen, so that places
// and sizes on it add up, and a place written to a file means the same spot of
// the desktop at any scaling.
constexpr int kBaseDpi = 96;
// The DPI of the display the window is on; the system's for a number that is
// no window.
int windowDpi(int windowId);
// The DPI of the main display when the program started.
int systemDpi();

// A window takes its number when it is created and gives it up when destroyed.
// Windows made elsewhere (tests) can be registered under a number too.
void registerWindow(int windowId, void* handle);
void* windowHandle(int windowId);

struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
// The work area (the screen less the taskbar) of the monitor the window is
// on, the nearest one when it is on none; and the largest of all monitors.
ScreenRect workAreaOf(int windowId);
ScreenRect largestWorkArea();

struct WindowSpec {
    int x = 0;
    int y = 0;
    int innerWidth = 0;
    int innerHeight = 0;
    std::wstring title;
    bool toolWindow = false;
    int ownerId = -1;  // the window it stays above, or -1 for none
    bool dialogFrame = false;  // a fixed frame with caption and close box only
    bool closeBox = true;  // false: a caption without system menu, close box or minimise box
};
// A top-level window with caption and sizing border, created invisible. False
// when the system refuses it.
bool openWindow(int windowId, const WindowSpec& spec);
void closeWindow(int windowId);

void setWindowTitle(int windowId, const std::wstring& title);
void setWindowUserData(int windowId, uint32_t value);
void setWindowIcons(int windowId, void* largeIcon, void* smallIcon);

// Outer rectangle in screen coordinates, and the size of the inner (client) area.
ScreenRect windowRect(int windowId);
void windowInnerSize(int windowId, int& width, int& height);
// Moves the window so that its outer corner is at x, y and its inner area has the
// given size, whatever its frame; then just far enough to lie whole within the
// work area of the monitor it lands on. A window the user sizes gives up what
// would not fit there; a dialog (WindowSpec::dialogFrame) is laid out at a
// smaller scale instead, the largest that fits and never below 100 %, and one
// that does not fit even then keeps its upper left corner in the work area.
void placeWindow(int windowId, int x, int y, int innerWidth, int innerHeight);
// Places the window again where it is, as placeWindow does: after the work
// area has changed.
void keepWindowOnScreen(int windowId);
// Gives the window that inner size, centred on the other window as far as the
// work area lets it stand whole.
void placeCenteredOn(int windowId, int ownerId, int innerWidth, int innerHeight);

enum class WindowShow { Hide, Show, ShowInactive, Minimize, Restore };
void showWindow(int windowId, WindowShow how);
// A disabled window takes no input, as the owner of a modal window.
void setWindowEnabled(int windowId, bool enabled);
bool windowVisible(int windowId);
bool windowMinimized(int windowId);
bool windowMaximized(int windowId);
bool windowIsForeground(int windowId);
void bringWindowToFront(int windowId);
void setWindowTopmost(int windowId, bool topmost);
// For a topmost window, called now and then: raises it again on the display
// when another window has come to the foreground since the last call (under
// Wine; Windows keeps a topmost window on top by itself).
void keepWindowOnTop(int windowId);

// Window style parts: caption with system menu (else a popup with sizing
// border), minimise box, tool-window look.
void setWindowFrame(int windowId, bool caption, bool minimizeBox);
void setToolWindow(int windowId, bool toolWindow);
bool isToolWindow(int windowId);
// Makes the system take a changed frame into account without moving the window.
void refreshWindowFrame(int windowId);

// Lets the system move the window as if its caption had been grabbed.
void beginWindowDrag(int windowId);

// Background of the window and of its static controls, and their text colour
// (colours as 0x00BBGGRR).
void setWindowColors(int windowId, uint32_t background, uint32_t staticText);

// Called from inside the window's size notification (also during live
// resizing), with the new state.
enum class SizeKind { Restored, Minimized, Maximized };
void bindSizeHandler(int windowId, void (*handler)(SizeKind kind));
// Called when the session ends or the system suspends: the last moment to save.
void bindSessionEndHandler(int windowId, void (*handler)());

// Alt pressed and released alone does not enter the window's menu mode.
void ignoreLoneAltKey(int windowId);

void startTimer(int windowId, int timerId, unsigned milliseconds);

// Window-wide keyboard shortcuts, each producing a menu event.
constexpr int kShortcutShift = 1;
constexpr int kShortcutControl = 2;
constexpr int kShortcutAlt = 4;
struct Shortcut {
    int modifiers;
    int key;  // virtual-key code
    int command;
};
void setWindowShortcuts(int windowId, const Shortcut* shortcuts, int count);

// The busy pointer while a long operation runs.
void showBusyPointer(bool busy);

// Layered-window transparency: off, a uniform opacity (alpha 1..255), or with
// alpha 0 every pixel of `colorKey` see-through.
void setWindowTransparency(int windowId, bool on, int alpha, uint32_t colorKey);
// Redraws the frame, the inner area and every control.
void redrawWholeWindow(int windowId);

// Once, before the first window: the common controls and per-monitor DPI.
void initUserInterface();
