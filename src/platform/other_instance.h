#pragma once
// Finding the launcher window of another running instance of the program.
#include <cstdint>
#include <string>

// The first top-level window whose title (read into 100 characters) equals
// `title` and whose user data equals `userData`; null when none.
void* findInstanceWindow(const std::wstring& title, uint32_t userData);
// Shows the window in its normal state and brings it to the foreground.
void restoreInstanceWindow(void* window);
bool postInstanceCommand(void* window, int command);
