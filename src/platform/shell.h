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
    // Return only once the started program waits for input, or after this many
    // milliseconds, so that a window shown afterwards comes up in front of it.
    unsigned readyWait = 0;
};

// The shell's answer: greater than 32 when it accepted the command.
int shellExecute(const ShellRequest& request);

// Virtual-key codes the program names.
constexpr int kKeyBack = 0x08;
constexpr int kKeyTab = 0x09;
constexpr int kKeyReturn = 0x0D;
constexpr int kKeyShift = 0x10;
constexpr int kKeyControl = 0x11;
constexpr int kKeyAlt = 0x12;
constexpr int kKeyEscape = 0x1B;
constexpr int kKeySpace = 0x20;
constexpr int kKeyUp = 0x26;
constexpr int kKeyDown = 0x28;
constexpr int kKeyApps = 0x5D;
constexpr int kKeyF1 = 0x70;
constexpr int kKeyF2 = 0x71;
constexpr int kKeyF3 = 0x72;
constexpr int kKeyF4 = 0x73;
// True while the key is held down at this moment.
bool keyHeld(int virtualKey);

void beep();
// The system's question sound: something typed cannot be taken as it is.
void questionBeep();
