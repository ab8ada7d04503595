#include "store/wide_units.h"

void appendCodePoint(std::wstring& out, char32_t cp) {
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
    } else {
        out.push_back(static_cast<wchar_t>(cp));
    }
}

std::wstring utf16ToWide(std::string_view bytes, bool bigEndian) {
    std::wstring text((bytes.size() + 1) / 2, L'\0');
    const size_t high = bigEndian ? 0 : 1;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned hi = 2 * i + high < bytes.size() ? static_cast<unsigned char>(bytes[2 * i + high]) : 0;
        unsigned lo = 2 * i + 1 - high < bytes.size() ? static_cast<unsigned char>(bytes[2 * i + 1 - high]) : 0;
        text[i] = static_cast<wchar_t>((hi << 8) | lo);
    }
    return text;
}

std::string wideToUtf16(std::wstring_view text, bool bigEndian) {
    std::string bytes(text.size() * 2, '\0');
    const size_t high = bigEndian ? 0 : 1;
    for (size_t i = 0; i < text.size(); ++i) {
        bytes[2 * i + high] = static_cast<char>((text[i] >> 8) & 0xFF);
        bytes[2 * i + 1 - high] = static_cast<char>(text[i] & 0xFF);
    }
    return bytes;
}

char32_t utf32UnitAt(std::string_view bytes, size_t i, bool bigEndian) {
    char32_t unit = 0;
    for (size_t k = 0; k < 4; ++k) {
        const char32_t b = i + k < bytes.size() ? static_cast<unsigned char>(bytes[i + k]) : 0;
        unit |= b << (bigEndian ? 24 - 8 * k : 8 * k);
    }
    return unit;
}

namespace {

bool isHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::wstring utf32ToWide(std::string_view bytes, bool bigEndian, bool& exact) {
    std::wstring text;
    text.reserve(bytes.size() / 4 + 1);
    exact = bytes.size() % 4 == 0;
    char32_t before = 0;
    for (size_t i = 0; i < bytes.size(); i += 4) {
        const char32_t unit = utf32UnitAt(bytes, i, bigEndian);
        if (unit > 0x10FFFF) {
            text.push_back(L'\xFFFD');
            exact = false;
        } else {
            // Two surrogate units in a row become one pair, written back as one unit.
            if (isHighSurrogate(before) && isLowSurrogate(unit)) exact = false;
            appendCodePoint(text, unit);
        }
        before = unit;
    }
    return text;
}

std::string wideToUtf32(std::wstring_view text, bool bigEndian) {
    std::string bytes;
    bytes.reserve(text.size() * 4);
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = static_cast<char32_t>(text[i]) & 0xFFFF;
        if (isHighSurrogate(cp) && i + 1 < text.size() && isLowSurrogate(static_cast<char32_t>(text[i + 1]) & 0xFFFF)) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + ((static_cast<char32_t>(text[i + 1]) & 0xFFFF) - 0xDC00);
            ++i;
        }
        for (size_t k = 0; k < 4; ++k) bytes.push_back(static_cast<char>((cp >> (bigEndian ? 24 - 8 * k : 8 * k)) & 0xFF));
    }
    return bytes;
}

bool wholeUtf32(std::string_view bytes, bool bigEndian) {
    if (bytes.size() % 4 != 0) return false;
    for (size_t i = 0; i < bytes.size(); i += 4)
        if (utf32UnitAt(bytes, i, bigEndian) > 0x10FFFF) return false;
    return true;
}
