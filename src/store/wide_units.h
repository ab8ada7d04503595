#pragma once
// UTF-16 and UTF-32 bytes in either byte order, read into wide text (UTF-16 code
// units, as Windows holds text) and written from it.
#include <string>
#include <string_view>

// A code point as one UTF-16 unit or a surrogate pair.
void appendCodePoint(std::wstring& out, char32_t cp);

// A last byte without its partner is read as if a zero byte followed it, so it
// survives as a character of its own.
std::wstring utf16ToWide(std::string_view bytes, bool bigEndian);
std::string wideToUtf16(std::wstring_view text, bool bigEndian);

// The unit at byte `i`; one cut short at the end is read as if zero bytes
// followed it, as UTF-16's last byte is.
char32_t utf32UnitAt(std::string_view bytes, size_t i, bool bigEndian);
// Surrogate values stay what they are, lone UTF-16 units, as in a UTF-16 file;
// a unit beyond U+10FFFF, which has no UTF-16 form, reads as U+FFFD. `exact`
// tells whether wideToUtf32 gives the bytes back: not so for such a unit, a
// unit cut short, or two surrogate units in a row (they become one pair).
std::wstring utf32ToWide(std::string_view bytes, bool bigEndian, bool& exact);
std::string wideToUtf32(std::wstring_view text, bool bigEndian);
// Whole units, each a code point (surrogate values included).
bool wholeUtf32(std::string_view bytes, bool bigEndian);
