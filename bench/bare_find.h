#pragma once
// The bare program's find mode: every category file of a folder held in
// memory, a field, and a large-icon list of the rows whose caption or command
// file name holds what the field holds, ignoring case.
#include <windows.h>

// The window, not yet shown, or null.
HWND createFindWindow(HINSTANCE instance, const wchar_t* folder);
