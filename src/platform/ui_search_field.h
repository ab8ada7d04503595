#pragma once
// A one-line field for typing a search over a list of results: the arrow keys
// and Page Up/Down move in the list while the text is typed, Ctrl+Home and
// Ctrl+End (and Home and End with the caret at the end of the text) go to its
// first and last row, and the window's shortcuts leave alone the keys a text is
// typed with.
#include <string>

// Commands (menu events) the field's keys give; 0 leaves the key to the field.
struct SearchFieldKeys {
    int enter = 0;
    int escape = 0;
    int backWhenEmpty = 0;  // Backspace in an empty field
    int menu = 0;  // the menu key: the chosen row's menu rather than the field's own
};

// The window's one search field; `cue` shows greyed while the field is empty.
bool addSearchField(int windowId, int controlId, int listControlId, const SearchFieldKeys& keys, int x, int y,
                    int width, int height, const std::wstring& cue);
