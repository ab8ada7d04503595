#pragma once
// The bare program's top-level window: a class of its own, the inner size of
// Kivo's default window, created hidden.
#include <windows.h>

constexpr int kBareInnerWidth = 350;
constexpr int kBareInnerHeight = 250;
// Rows put into the view in sight mode (bare_launcher /sight): about what a
// window of this size shows, and what any launcher must draw at start.
constexpr int kBareRowsInSight = 20;

// Null when the system refuses it.
HWND createBareWindow(HINSTANCE instance, WNDPROC procedure, const wchar_t* className);
