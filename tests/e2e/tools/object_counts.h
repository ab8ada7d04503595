// What object_count.dll counts inside a measured process. The probe allocates
// this record in that process, points the counting thread at it and reads it
// back, so both sides must be built for the same word size.
#pragma once

#include <windows.h>

namespace objects {

// The exported name the probe looks up in its own copy of the library; the
// same offset from the library's base holds it in the measured process.
constexpr char kCountFunction[] = "countObjects";
constexpr wchar_t kLibraryName[] = L"object_count.dll";

// A GDI handle type is at most OBJ_COLORSPACE (14).
constexpr int kGdiTypes = 16;

struct ObjectCounts {
    DWORD windows;
    DWORD menus;
    DWORD icons;  // cursors too: they are one kind of object
    DWORD accelerators;
    DWORD gdiByType[kGdiTypes];
};

// `probe fits` measures texts in the fonts of another process's controls: a
// font handle means something only in its own process, and under Wine even
// WM_GETFONT does not cross, so the library asks the controls and tells what
// each font is.
constexpr char kFontFunction[] = "describeFonts";
constexpr int kMostControls = 128;

struct FontQuery {
    DWORD count;
    HWND controls[kMostControls];
    LOGFONTW described[kMostControls];  // all zero for the system font
};

inline DWORD userObjects(const ObjectCounts& counts) {
    return counts.windows + counts.menus + counts.icons + counts.accelerators;
}

inline DWORD gdiObjects(const ObjectCounts& counts) {
    DWORD total = 0;
    for (DWORD n : counts.gdiByType) total += n;
    return total;
}

}  // namespace objects
