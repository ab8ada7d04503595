#include "platform/text_case.h"

#include <windows.h>

#include <vector>

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

namespace {

bool plainAscii(std::wstring_view text) {
    for (wchar_t c : text)
        if (c >= 0x80) return false;
    return true;
}

// Letters the system's linguistic comparison takes for two ("Stra\u00DFe" equals
// "Strasse"), which no decomposition splits. The presentation forms (\uFB01,
// \u0133) are split by the compatibility decomposition already. Wine's
// FoldStringW leaves the capital sharp s whole, so the table is our own;
// capitals too, as Wine's lower case leaves some of them.
struct Expansion {
    wchar_t letter;
    wchar_t pair[3];
};
constexpr Expansion kExpansions[] = {
    {0x00DF, L"ss"}, {0x1E9E, L"ss"}, {0x00E6, L"ae"}, {0x00C6, L"ae"}, {0x0153, L"oe"}, {0x0152, L"oe"},
    {0x00FE, L"th"}, {0x00DE, L"th"}, {0xA733, L"aa"}, {0xA732, L"aa"}, {0xA735, L"ao"}, {0xA734, L"ao"},
    {0xA737, L"au"}, {0xA736, L"au"}, {0xA739, L"av"}, {0xA738, L"av"}, {0xA73D, L"ay"}, {0xA73C, L"ay"},
    {0xA74F, L"oo"}, {0xA74E, L"oo"},
};

const wchar_t* expansionOf(wchar_t c) {
    for (const Expansion& e : kExpansions)
        if (e.letter == c) return e.pair;
    return nullptr;
}

std::wstring withLigaturesExpanded(const std::wstring& text) {
    std::wstring expanded;
    expanded.reserve(text.size());
    for (wchar_t c : text) {
        if (const wchar_t* pair = expansionOf(c))
            expanded += pair;
        else
            expanded += c;
    }
    return expanded;
}

}  // namespace

std::wstring foldedForSearch(std::wstring_view text) {
    // Most captions are plain ASCII: those need no trip through the system.
    if (plainAscii(text)) {
        std::wstring folded(text);
        for (wchar_t& c : folded)
            if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + (L'a' - L'A'));
        return folded;
    }
    std::wstring lower = toLowerCase(text);
    const int length = static_cast<int>(lower.size());
    int needed = NormalizeString(NormalizationKD, lower.c_str(), length, nullptr, 0);
    std::wstring split;
    for (int attempt = 0; attempt < 3 && needed > 0; ++attempt) {
        split.assign(static_cast<size_t>(needed), L'\0');
        const int written = NormalizeString(NormalizationKD, lower.c_str(), length, split.data(), needed);
        if (written > 0) {
            split.resize(static_cast<size_t>(written));
            break;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
            split.clear();
            break;
        }
        needed = -written;
    }
    if (split.empty()) return withLigaturesExpanded(lower);
    std::vector<WORD> types(split.size());
    if (!GetStringTypeW(CT_CTYPE3, split.c_str(), static_cast<int>(split.size()), types.data()))
        return withLigaturesExpanded(split);
    std::wstring folded;
    folded.reserve(split.size());
    for (size_t i = 0; i < split.size(); ++i)
        if (!(types[i] & C3_NONSPACING)) folded += split[i];
    // After the marks are gone: "\u01FD" is "\u00E6" with an accent.
    return withLigaturesExpanded(toLowerCase(folded));
}
