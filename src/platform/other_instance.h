#pragma once
// Finding the launcher window of another running instance of the program.
#include <cstdint>
#include <string>

// The first visible top-level window whose title equals `title` and whose user
// data equals `userData`, else the first hidden one; null when none.
void* findInstanceWindow(const std::wstring& title, uint32_t userData);
// Shows the window in its normal state and brings it, or the dialog it has
// open, to the foreground.
void restoreInstanceWindow(void* window);
bool postInstanceCommand(void* window, int command);
