#pragma once
// The system's common dialogs (open file, font, colour), taken out of comdlg32
// the first time one is asked for. Loaded at start, comdlg32 brings the print
// spooler and through it the network security libraries: megabytes and
// milliseconds that a launcher showing its items never needs.
#include <windows.h>
#include <commdlg.h>

using GetOpenFileNameFunction = BOOL(WINAPI*)(OPENFILENAMEW*);
using ChooseFontFunction = BOOL(WINAPI*)(CHOOSEFONTW*);
using ChooseColorFunction = BOOL(WINAPI*)(CHOOSECOLORW*);

struct DialogLibrary {
    GetOpenFileNameFunction getOpenFileName = nullptr;
    ChooseFontFunction chooseFont = nullptr;
    ChooseColorFunction chooseColor = nullptr;
};

// The functions, null where the library or the function cannot be had (a
// dialog that cannot be shown then counts as cancelled).
const DialogLibrary& dialogLibrary();
