#pragma once
// Items that name files on a drive whose letter changes (a USB stick) follow
// the drive the program runs from.
#include "store/category_store.h"

struct DriveLetters {
    bool varDrive = false;      // the variable-drive mode is on
    wchar_t programDrive = 0;   // upper-case letters
    wchar_t windowsDrive = 0;
    wchar_t homeDrive = 0;
};

// The old letter is the first drive letter that starts the definition of an item
// with a caption (one that a save keeps) and is neither the Windows nor the home
// drive; every drive reference with that letter becomes the program's drive.
// Only the items in memory change.
void adaptDriveLetters(CategoryItems& items, const DriveLetters& drives);
