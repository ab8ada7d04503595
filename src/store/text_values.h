#pragma once
// Numbers, colours and fonts as they are written in Kivo's text files.
#include <cstdint>
#include <string>
#include <string_view>

// Leading spaces and tabs skipped, optional sign, "$" hexadecimal, "%" binary,
// otherwise decimal; stops at the first character that does not belong; no digits
// give 0. Values beyond 32 bits wrap around.
int32_t parseIntText(std::wstring_view text);

// "#RRGGBB", or a number that already is a Windows colour value (0x00BBGGRR).
// Returns the Windows colour value; an unparsable text gives 0 (black).
uint32_t parseColorText(std::wstring_view text);
// "#" and six upper-case hexadecimal digits RRGGBB.
std::wstring formatColorText(uint32_t color);

// Style flags of a font text.
constexpr int kFontBold = 256;
constexpr int kFontItalic = 512;
constexpr int kFontUnderline = 4;
constexpr int kFontStrikeOut = 8;

// Face name, point size, style flags and text colour, separated by ",".
struct FontText {
    std::wstring face;
    int pointSize = 0;
    int styleFlags = 0;
    uint32_t color = 0;
};

FontText parseFontText(std::wstring_view text);
std::wstring formatFontText(const FontText& font);
