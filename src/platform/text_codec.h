#pragma once
// Conversions between the system ANSI code page and UTF-16.
#include <string>
#include <string_view>

std::wstring ansiToWide(std::string_view bytes);

// False when some character has no exact form in the ANSI code page; `bytes`
// then holds a lossy conversion that must not be written anywhere.
bool wideToAnsi(std::wstring_view text, std::string& bytes);
