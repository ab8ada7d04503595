#pragma once
// The icon selection dialog: the icons of a program, library or icon file to
// pick one from, modal to the window that opens it.
#include <string>

// Controls of the icon window.
constexpr int kIconList = 1;
constexpr int kIconBrowseButton = 2;
constexpr int kIconDefaultButton = 3;
constexpr int kIconOkButton = 4;
constexpr int kIconCancelButton = 5;

// Runs the dialog to its end on an item's icon `iconSource` ("file" or
// "file,index"), showing `currentIcon` (the caller's) until another file is
// chosen. Returns the icon chosen as iconChoice writes it, a single space for
// the default icon, or an empty text when the icon stays as it was.
std::wstring SelectIcon(const std::wstring& iconSource, void* currentIcon);

// An icon of a file as an icon source names it: the bare file for its first
// icon, else the file, a comma and the icon's position.
std::wstring iconChoice(const std::wstring& file, int index);

// The system services the dialog calls, which tests replace.
struct IconSelectionServices {
    // The file to take icons from, chosen by the user starting in
    // `startFolder` (or where the system likes when empty); empty when cancelled.
    std::wstring (*chooseIconFile)(int ownerWindowId, const std::wstring& startFolder);
};
IconSelectionServices systemIconSelectionServices();
extern IconSelectionServices iconSelectionServices;
