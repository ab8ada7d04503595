#pragma once
// Line splitting and trimming shared by the text-file readers.
#include <string>
#include <string_view>
#include <vector>

// Lines end at CR LF, LF or CR; a final line without an end counts too.
std::vector<std::wstring_view> splitTextLines(std::wstring_view text);

// Removes the space character (only that one) at both ends, or at one end.
std::wstring_view trimSpaces(std::wstring_view text);
std::wstring_view trimLeadingSpaces(std::wstring_view text);
std::wstring_view trimTrailingSpaces(std::wstring_view text);
