#pragma once
// Conversions between the system ANSI code page and UTF-16.
#include <string>
#include <string_view>

std::wstring ansiToWide(std::string_view bytes);

// False when some character has no exact form in the ANSI code page; `bytes`
// then holds a lossy conversion that must not be written anywhere.
bool wideToAnsi(std::wstring_view text, std::string& bytes);

// `text` as ansiToWide read it from `bytes`: whether the code page writes it
// back as exactly those bytes, so that no character of it is a best fit or the
// default character (each goes back to the bytes it came from).
bool ansiRoundTrips(std::wstring_view text, std::string_view bytes);
