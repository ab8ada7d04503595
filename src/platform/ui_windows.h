#pragma once
// Kivo's windows and their controls, addressed by the program's own numbers.

constexpr int kLauncherWindow = 0;
constexpr int kEditorWindow = 1;
constexpr int kSettingsWindow = 2;

// Controls of the launcher window.
constexpr int kLauncherItemView = 1;
constexpr int kLauncherTitleStrip = 2;
constexpr int kLauncherPreviousArrow = 3;
constexpr int kLauncherNextArrow = 4;
constexpr int kLauncherCloseGlyph = 5;

// A window takes its number when it is created and gives it up when destroyed.
void registerWindow(int windowId, void* handle);
void* windowHandle(int windowId);

// False when the window or the control does not exist.
bool setControlEnabled(int windowId, int controlId, bool enabled);

struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
// The desktop's work area: the screen less the taskbar.
ScreenRect desktopWorkArea();
