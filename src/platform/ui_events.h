#pragma once
// One queue of events for all of the program's windows. Window procedures only
// turn messages into events; the program's loops read them with waitEvent, and
// a loop may run inside another (a dialog inside the launcher).
#include <string>
#include <vector>

enum class UiEventKind {
    Other,                 // a mouse button pressed; `code`: left or right click; `control`: the
                           // control pressed (left button), 0 for the window or its frame
    Key,                   // a key went down or up; `code` = virtual key, `data` = 1 down, 0 up
    Menu,                  // menu entry or shortcut; `code` = command
    ItemView,              // click on the item list; `code` = click kind, `data` = selected row's data
    ControlClick,          // left click on a static control, a button or a check box
    ControlChanged,        // the text or value of a field changed; `code` kFieldLeft: the focus left it
    Tray,                  // tray icon; `code` = click kind
    Moved,                 // the window moved
    CloseRequest,          // the caption's close box
    UserMessage,           // message 1025 from another instance; `code` = its first parameter
    Timer,                 // `code` = timer number
    RightButtonUp,         // right button released anywhere but on an item list
    FrameRightButtonDown,  // right button pressed on the caption or the border
    Hotkey,                // `code` = hotkey number
    FilesDropped,          // on an item list; `files`
    LeftButtonUp,
    LeftDragMove,          // pointer moved with the left button down; `x`, `y`; `control`: the item list under it
    ScaleChanged,          // the window went to a display of another DPI; its controls and fonts have
                           // followed, what the program drew for it (image lists, icons) is the loop's
    WorkAreaChanged,       // the taskbar or the displays changed; a dialog has kept itself on the screen
    WorkProgress,          // work on a thread of its own has something to show; `code` = the work
};

constexpr int kLeftClick = 1;
constexpr int kLeftDoubleClick = 2;
constexpr int kRightClick = 3;
constexpr int kSelectionChanged = 4;
constexpr int kFieldLeft = 1;  // rows of a multiple-selection list chosen with keys or mouse

struct UiEvent {
    UiEventKind kind = UiEventKind::Other;
    int windowId = -1;
    int control = 0;
    int code = 0;
    int data = -1;
    int x = 0;  // screen coordinates, in units (ui_windows.h)
    int y = 0;
    std::vector<std::wstring> files;
};

// Waits for the next event. False when the program was told to quit.
bool waitEvent(UiEvent& event);

// Adds an event as if a window had reported it (for commands a program makes
// itself).
void queueEvent(const UiEvent& event);

// The same, unless an event of that kind, code and control for that window
// already waits: a window moved step by step reports its place once.
void queueEventOnce(const UiEvent& event);

// Forgets the events that wait, as a window that opens does with the clicks
// and keys meant for the one before.
void discardQueuedEvents();

// True while events wait in the queue (messages not yet turned into events
// are not counted).
bool eventsQueued();

// Message number another instance posts to the launcher window.
constexpr unsigned kInstanceMessage = 0x401;

// Milliseconds since the system started.
unsigned tickCount();
