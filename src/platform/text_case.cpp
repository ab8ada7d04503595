#include "platform/text_case.h"

#include <windows.h>

bool sameTextIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    if (a.empty()) return true;
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

std::wstring toLowerCase(std::wstring_view text) {
    std::wstring lower(text);
    if (!lower.empty()) CharLowerBuffW(lower.data(), static_cast<DWORD>(lower.size()));
    return lower;
}

std::wstring toUpperCase(std::wstring_view text) {
    std::wstring upper(text);
    if (!upper.empty()) CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    return upper;
}
