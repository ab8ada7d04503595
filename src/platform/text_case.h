#pragma once
// Letter case by the system's rules (not only ASCII): keys, group and category
// names compare this way.
#include <string>
#include <string_view>

bool sameTextIgnoringCase(std::wstring_view a, std::wstring_view b);
// -1, 0 or 1 by the user's locale, letter case aside: the order of sorted lists.
int compareTextIgnoringCase(const std::wstring& a, const std::wstring& b);
std::wstring toLowerCase(std::wstring_view text);
std::wstring toUpperCase(std::wstring_view text);
// The text as Find compares it: lower case, without accents and other marks
// ("Ärger" gives "arger"), so that "a" finds "ä"; "ae" does not. Ligatures and
// the sharp s are spelt out ("Œuvre" gives "oeuvre", "Straße" "strasse"), so
// the folded text may be longer than the text.
std::wstring foldedForSearch(std::wstring_view text);
