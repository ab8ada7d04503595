// What save_writer tells save_killer through a shared memory block while it
// saves, so that the killer knows when the saving has begun and which content
// each file should hold at the moment of the kill.
#pragma once
#include <string>
inline std::wstring bigCategoryName() { return L"Big" + std::wstring(242, L'g'); }

// Save number 0 is the content found at start; save n writes content
// (initialContent + n) % 2, 0 standing for A and 1 for B.
struct SaveProgress {
    volatile long initialContent;  // -1 until the writer has read the file
    volatile long started;         // the save under way, or the last one when none is
    volatile long done;            // the last save that returned
    volatile long failed;          // saves that reported failure
};
