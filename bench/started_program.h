#pragma once
// A program started by the runner, ended hard when its run is over.
#include <windows.h>

#include <string>

struct StartedProgram {
    HANDLE process = nullptr;
    DWORD id = 0;
};

// Starts `exe` with `arguments` (already quoted) in `folder`.
bool startProgram(const std::wstring& exe, const std::wstring& arguments, const std::wstring& folder,
                  StartedProgram& program);

// Terminates the program and waits until it is gone. Ending both programs the
// same hard way keeps Kivo from writing its settings, so every run starts on
// the same files.
void endProgram(StartedProgram& program);

std::wstring quoted(const std::wstring& text);
