#pragma once
// Fonts made from a face name, a point size and style flags.
#include <string>

#include "platform/owned_handle.h"

void deleteFont(void* font);
using FontHandle = OwnedHandle<deleteFont>;

// Style flags as in a font text: 256 bold, 512 italic, 4 underline, 8 strike-out.
// Made at 96 DPI, in units as every size the program gives (ui_windows.h): the
// windows that show it make it anew from its points at their display's DPI.
FontHandle createPointFont(const std::wstring& face, int pointSize, int styleFlags);

// What a font was made of, read back from the handle.
struct FontFacts {
    std::wstring face;
    int height = 0;  // in pixels, negative: character height
    int weight = 0;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};
bool readFontFacts(const FontHandle& font, FontFacts& facts);
