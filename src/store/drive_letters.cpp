#include "store/drive_letters.h"

#include <string_view>

#include "store/item_definition.h"

namespace {

wchar_t upperAscii(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 32) : c; }

bool isDriveLetter(wchar_t c) {
    c = upperAscii(c);
    return c >= L'A' && c <= L'Z';
}

// Characters after which a drive reference can start inside a definition; a ";"
// inside a field is stored as kFieldSemicolon and separates paths all the same.
bool opensReference(wchar_t c) {
    return std::wstring_view(L";, /=+\"").find(c) != std::wstring_view::npos || c == kFieldSemicolon;
}

wchar_t findOldDriveLetter(const CategoryItems& items, const DriveLetters& drives) {
    for (const CategoryItem& item : items) {
        const std::wstring_view d = itemDefinition(item);
        // A line without a caption is not saved: after a save another item
        // would decide, and the letters would change once more.
        if (d.empty() || item.textLength == 0) continue;
        wchar_t letter = upperAscii(d[0]);
        if (letter == drives.windowsDrive || letter == drives.homeDrive) continue;
        if (d.size() > 1 && d[1] == L':' && isDriveLetter(letter)) return letter;
    }
    return 0;
}

}  // namespace

void adaptDriveLetters(CategoryItems& items, const DriveLetters& drives) {
    const wchar_t oldLetter = findOldDriveLetter(items, drives);
    // A program started from a network share has no drive letter to give.
    if (oldLetter == 0 || oldLetter == drives.programDrive || !isDriveLetter(drives.programDrive)) return;
    for (CategoryItem& item : items) {
        // The definition, in place after the caption.
        wchar_t* d = item.line.data() + item.textLength;
        const size_t size = item.line.size() - item.textLength;
        for (size_t i = 1; i < size; ++i) {
            if (d[i] != L':' || upperAscii(d[i - 1]) != oldLetter) continue;
            if (i == 1 || opensReference(d[i - 2])) d[i - 1] = drives.programDrive;
        }
    }
}
