#pragma once
// How the launcher window is shown: title bar, tool window, transparency, the
// tray icon and the hotkey that brings it up.
#include <cstdint>
#include <string>

constexpr int kStyleFrame = 1;       // caption and frame (TitleBar, SystemTray)
constexpr int kStyleToolWindow = 2;  // ToolBarStyle

void ApplyWindowStyle(int parts);
void ApplyTransparency();
// Adds or removes the tray icon to match SystemTray.
void UpdateTrayIcon();
// The tray tip for the category shown: the program title, "- " and the name.
void setTrayTipFor(const std::wstring& category);

// Settings before the hotkey held its modifiers in bits 16 to 19 are moved
// there; other values stay.
int convertLegacyHotkey(int value);
// Registers `code` (0x80000000: unregister and keep it; 0x40000000: the kept
// one again). False when the system refuses the key.
bool RegisterLauncherHotkey(uint32_t code);

// For a tray click (63) or the hotkey (777): 64 when the window came up, 72 when
// the caller is to send it away.
int ToggleLauncherWindow(int source);
// Shows the launcher, in front with the keyboard, wherever it was put away.
void BringLauncherUp();
// Minimises the window and, with the tray icon, hides it.
void minimizeLauncherWindow();
