#pragma once
// Handing commands to the shell, and the state of the modifier keys.
#include <string>

// Show commands of a started program's window.
constexpr int kShowNormal = 1;
constexpr int kShowMinimized = 2;
constexpr int kShowMaximized = 3;

struct ShellRequest {
    int ownerWindowId = -1;  // a window of ui_windows.h, or -1 for none
    std::wstring verb;       // empty: the file's default action
    std::wstring file;
    std::wstring parameters;
    std::wstring directory;  // empty: none
    int showCommand = kShowNormal;
};

// The shell's answer: greater than 32 when it accepted the command.
int shellExecute(const ShellRequest& request);

constexpr int kKeyShift = 0x10;
constexpr int kKeyControl = 0x11;
// True while the key is held down at this moment.
bool keyHeld(int virtualKey);

void beep();
