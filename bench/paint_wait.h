#pragma once
// When another process's window counts as painted: the same test for Kivo and
// for the bare window, made from outside both.
#include <windows.h>

#include <string>

// The program's visible top-level window that holds a visible list view (the
// one in sight, when the window keeps several), or null. `passOver` is never
// the one: a window opened beside it is looked for.
HWND listWindowOf(DWORD processId, HWND* view = nullptr, HWND passOver = nullptr);

// A field of the list window that must hold `text` before the rows count:
// rows typed for, not those of the text before.
struct TypedText {
    int controlId = 0;
    std::wstring text;
};

// Waits until the program's list window shows `rows` rows and nothing of the
// program on screen waits to be painted, seen twice in a row. Returns the
// performance-counter time in milliseconds at which the first of the two checks
// passed, or a negative number after `timeoutMs`. The list window is found as
// listWindowOf finds it.
double waitPainted(DWORD processId, int rows, double timeoutMs, const TypedText* typed = nullptr,
                   HWND passOver = nullptr);

// Milliseconds on the performance counter.
double counterMs();
