#include "store/text_values.h"

#include <vector>

namespace {

int digitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return 99;
}

uint32_t swapRedBlue(uint32_t v) { return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF); }

std::vector<std::wstring_view> splitCommas(std::wstring_view text) {
    std::vector<std::wstring_view> parts;
    size_t start = 0;
    for (;;) {
        size_t comma = text.find(L',', start);
        parts.push_back(text.substr(start, comma == std::wstring_view::npos ? std::wstring_view::npos : comma - start));
        if (comma == std::wstring_view::npos) return parts;
        start = comma + 1;
    }
}

}  // namespace

int32_t parseIntText(std::wstring_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
    int base = 10;
    if (i < text.size() && text[i] == L'$') {
        base = 16;
        ++i;
    } else if (i < text.size() && text[i] == L'%') {
        base = 2;
        ++i;
    }
    uint32_t value = 0;
    for (; i < text.size(); ++i) {
        int d = digitValue(text[i]);
        if (d >= base) break;
        value = value * static_cast<uint32_t>(base) + static_cast<uint32_t>(d);
    }
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}

uint32_t parseColorText(std::wstring_view text) {
    if (!text.empty() && text[0] == L'#') {
        std::wstring hex(text);
        hex[0] = L'$';
        return swapRedBlue(static_cast<uint32_t>(parseIntText(hex)));
    }
    return static_cast<uint32_t>(parseIntText(text)) & 0xFFFFFF;
}

std::wstring formatColorText(uint32_t color) {
    static const wchar_t kHex[] = L"0123456789ABCDEF";
    uint32_t rgb = swapRedBlue(color);
    std::wstring text = L"#";
    for (int shift = 20; shift >= 0; shift -= 4) text.push_back(kHex[(rgb >> shift) & 0xF]);
    return text;
}

FontText parseFontText(std::wstring_view text) {
    std::vector<std::wstring_view> parts = splitCommas(text);
    FontText font;
    font.face = parts[0];
    if (parts.size() > 1) font.pointSize = parseIntText(parts[1]);
    if (parts.size() > 2) font.styleFlags = parseIntText(parts[2]);
    if (parts.size() > 3) font.color = parseColorText(parts[3]);
    return font;
}

std::wstring formatFontText(const FontText& font) {
    return font.face + L"," + std::to_wstring(font.pointSize) + L"," + std::to_wstring(font.styleFlags) + L"," +
           formatColorText(font.color);
}
