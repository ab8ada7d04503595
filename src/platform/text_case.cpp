#include "platform/text_case.h"

#include <windows.h>

bool sameTextIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    if (a.empty()) return true;
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

int compareTextIgnoringCase(const std::wstring& a, const std::wstring& b) {
    const int result = lstrcmpiW(a.c_str(), b.c_str());
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
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
