#include "store/text_encoding.h"

#include "platform/text_codec.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

unsigned char byteAt(std::string_view bytes, size_t i) { return static_cast<unsigned char>(bytes[i]); }

// Length of the well-formed UTF-8 sequence at `i` and its code point; 0 when the
// bytes there are not one (stray byte, overlong form, surrogate, beyond U+10FFFF).
size_t utf8Sequence(std::string_view bytes, size_t i, char32_t& cp) {
    unsigned char b = byteAt(bytes, i);
    if (b < 0x80) {
        cp = b;
        return 1;
    }
    size_t len;
    char32_t min;
    if (b >= 0xC2 && b <= 0xDF) {
        len = 2, cp = b & 0x1F, min = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
        len = 3, cp = b & 0x0F, min = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
        len = 4, cp = b & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + len > bytes.size()) return 0;
    for (size_t k = 1; k < len; ++k) {
        unsigned char c = byteAt(bytes, i + k);
        if ((c & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

void appendCodePoint(std::wstring& out, char32_t cp) {
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
    } else {
        out.push_back(static_cast<wchar_t>(cp));
    }
}

// A last byte without its partner is read as if a zero byte followed it, so it
// survives as a character of its own.
std::wstring utf16ToWide(std::string_view bytes, bool bigEndian) {
    std::wstring text((bytes.size() + 1) / 2, L'\0');
    const size_t high = bigEndian ? 0 : 1;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned hi = 2 * i + high < bytes.size() ? byteAt(bytes, 2 * i + high) : 0;
        unsigned lo = 2 * i + 1 - high < bytes.size() ? byteAt(bytes, 2 * i + 1 - high) : 0;
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

std::string_view byteOrderMark(TextFormat format) {
    switch (format) {
        case TextFormat::Utf16Le: return kUtf16LeBom;
        case TextFormat::Utf16Be: return kUtf16BeBom;
        default: return kUtf8Bom;
    }
}

// UTF-16 text without a mark is known by its zero bytes: the high bytes of ASCII
// characters. Where most of them fall tells the byte order; false when there is
// none. A tie keeps little-endian, the form Windows writes.
bool utf16ByZeroBytes(std::string_view bytes, TextFormat& format) {
    size_t even = 0, odd = 0;
    for (size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\0') ++(i % 2 == 0 ? even : odd);
    if (even + odd == 0) return false;
    format = even > odd ? TextFormat::Utf16Be : TextFormat::Utf16Le;
    return true;
}

bool beginsLikeByteOrderMark(std::string_view bytes) {
    return bytes.substr(0, 3) == kUtf8Bom || bytes.substr(0, 2) == kUtf16LeBom || bytes.substr(0, 2) == kUtf16BeBom;
}

}  // namespace

TextFormat detectTextEncoding(std::string_view bytes, TextFormat fallback) {
    TextFormat utf16 = TextFormat::Utf16Le;
    if (utf16ByZeroBytes(bytes, utf16)) return utf16;
    size_t sequences = 0;  // well-formed multi-byte sequences
    size_t strays = 0;     // stray high bytes and broken sequences
    size_t pending = 0;    // continuation bytes still announced
    bool broken = false;   // the sequence under way had a bad continuation
    for (size_t i = 0; i < bytes.size(); ++i) {
        unsigned char b = byteAt(bytes, i);
        size_t n = bytes.size() - i;  // remaining length, this byte included
        if (pending > 0) {
            // A bad continuation is consumed all the same, never taken as a lead byte.
            if (b < 0x80 || b > 0xBF) broken = true;
            if (--pending == 0) ++(broken ? strays : sequences);
            continue;
        }
        broken = false;
        if (b >= 0xC0 && b <= 0xDF && n > 1) {
            pending = 1;
        } else if (b >= 0xE0 && b <= 0xEF && n > 2) {
            pending = 2;
        } else if (b >= 0xF0 && b <= 0xF7 && n > 3) {
            pending = 3;
        } else if (b >= 0x80) {
            ++strays;
        }
    }
    if (strays == 0) return sequences == 0 ? fallback : TextFormat::Utf8;
    return strays > sequences ? TextFormat::Ansi : fallback;
}

std::wstring utf8ToWide(std::string_view bytes) {
    std::wstring text;
    text.reserve(bytes.size());
    size_t i = 0;
    while (i < bytes.size()) {
        char32_t cp = 0;
        size_t len = utf8Sequence(bytes, i, cp);
        if (len == 0) {
            // A stray byte: most likely a character of the ANSI code page.
            std::wstring ch = ansiToWide(bytes.substr(i, 1));
            text += ch.empty() ? std::wstring(1, L'\xFFFD') : ch;
            ++i;
            continue;
        }
        appendCodePoint(text, cp);
        i += len;
    }
    return text;
}

std::string wideToUtf8(std::wstring_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = static_cast<char32_t>(text[i]) & 0xFFFF;
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + ((static_cast<char32_t>(text[i + 1]) & 0xFFFF) - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;  // a lone surrogate has no UTF-8 form
        }
        if (cp < 0x80) {
            bytes.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            bytes.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            bytes.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            bytes.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            bytes.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            bytes.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            bytes.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return bytes;
}

TextShape textShapeOf(std::string_view bytes) {
    TextShape shape;
    if (bytes.substr(0, 3) == kUtf8Bom) {
        shape.format = TextFormat::Utf8;
        shape.hasBom = true;
        bytes.remove_prefix(3);
    } else if (bytes.substr(0, 2) == kUtf16LeBom) {
        shape.format = TextFormat::Utf16Le;
        shape.hasBom = true;
        bytes.remove_prefix(2);
    } else if (bytes.substr(0, 2) == kUtf16BeBom) {
        shape.format = TextFormat::Utf16Be;
        shape.hasBom = true;
        bytes.remove_prefix(2);
    } else {
        shape.format = detectTextEncoding(bytes, TextFormat::Utf8);
    }
    shape.body = bytes;
    return shape;
}

std::wstring decodeShapedText(const TextShape& shape) {
    switch (shape.format) {
        case TextFormat::Utf8: return utf8ToWide(shape.body);
        case TextFormat::Utf16Le: return utf16ToWide(shape.body, false);
        case TextFormat::Utf16Be: return utf16ToWide(shape.body, true);
        case TextFormat::Ansi: return ansiToWide(shape.body);
    }
    return std::wstring();
}

DecodedText decodeText(std::string_view bytes) {
    const TextShape shape = textShapeOf(bytes);
    DecodedText result;
    result.format = shape.format;
    result.hasBom = shape.hasBom;
    result.text = decodeShapedText(shape);
    return result;
}

namespace {

bool isPlainAscii(std::string_view bytes) {
    for (char c : bytes)
        if (c == '\0' || static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// Content without a mark is known by its look alone: false when it would be read
// back in another format, so that a later save would change its bytes or its text.
bool recognisedWithoutMark(std::string_view bytes, TextFormat format) {
    if (beginsLikeByteOrderMark(bytes)) return false;
    TextFormat utf16 = TextFormat::Utf16Le;
    const bool zeroByte = utf16ByZeroBytes(bytes, utf16);
    switch (format) {
        case TextFormat::Utf8: return !zeroByte;
        case TextFormat::Utf16Le:
        case TextFormat::Utf16Be: return bytes.empty() || (zeroByte && utf16 == format);
        case TextFormat::Ansi:
            // Plain ASCII reads the same in every format but UTF-16.
            return detectTextEncoding(bytes, TextFormat::Utf8) == TextFormat::Ansi || isPlainAscii(bytes);
    }
    return false;
}

}  // namespace

std::string encodeText(std::wstring_view text, TextFormat format, bool withBom) {
    std::string bytes;
    if (format == TextFormat::Ansi && wideToAnsi(text, bytes) && recognisedWithoutMark(bytes, format)) return bytes;
    if (format == TextFormat::Ansi) {
        format = TextFormat::Utf8;
        withBom = true;
    }
    if (format == TextFormat::Utf8) {
        bytes = wideToUtf8(text);
    } else {
        bytes = wideToUtf16(text, format == TextFormat::Utf16Be);
    }
    if (withBom || !recognisedWithoutMark(bytes, format)) bytes.insert(0, byteOrderMark(format));
    return bytes;
}
