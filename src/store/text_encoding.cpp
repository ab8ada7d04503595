#include "store/text_encoding.h"

#include <utility>

#include "platform/text_codec.h"
#include "store/wide_units.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
constexpr std::string_view kUtf32LeBom("\xFF\xFE\0\0", 4);
constexpr std::string_view kUtf32BeBom("\0\0\xFE\xFF", 4);

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

// UTF-32 without a mark: whole units, every one a code point, and some of them
// below U+0100, three zero bytes in a unit. UTF-16 text would need a U+0000 and
// every second character below U+0011 to pass.
bool utf32ByZeroBytes(std::string_view bytes, TextFormat& format) {
    if (bytes.empty()) return false;
    // Little-endian first, the form Windows writes: only units such as
    // 00 0x 0y 00 fit both byte orders.
    for (bool bigEndian : {false, true}) {
        if (!wholeUtf32(bytes, bigEndian)) continue;
        for (size_t i = 0; i < bytes.size(); i += 4) {
            if (utf32UnitAt(bytes, i, bigEndian) >= 0x100) continue;
            format = bigEndian ? TextFormat::Utf32Be : TextFormat::Utf32Le;
            return true;
        }
    }
    return false;
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

}  // namespace

TextFormat detectTextEncoding(std::string_view bytes, TextFormat fallback) {
    TextFormat wide = TextFormat::Utf16Le;
    if (utf32ByZeroBytes(bytes, wide) || utf16ByZeroBytes(bytes, wide)) return wide;
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

namespace {

std::wstring utf8ToWide(std::string_view bytes, bool& exact) {
    std::wstring text;
    text.reserve(bytes.size());
    exact = true;
    size_t i = 0;
    while (i < bytes.size()) {
        char32_t cp = 0;
        size_t len = utf8Sequence(bytes, i, cp);
        if (len == 0) {
            // A stray byte: most likely a character of the ANSI code page.
            std::wstring ch = ansiToWide(bytes.substr(i, 1));
            text += ch.empty() ? std::wstring(1, L'\xFFFD') : ch;
            exact = false;
            ++i;
            continue;
        }
        if (cp < 0x10000)
            text.push_back(static_cast<wchar_t>(cp));  // nearly always: kept out of a call
        else
            appendCodePoint(text, cp);
        i += len;
    }
    return text;
}

}  // namespace

std::wstring utf8ToWide(std::string_view bytes) {
    bool exact = true;
    return utf8ToWide(bytes, exact);
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

std::string_view byteOrderMark(TextFormat format) {
    switch (format) {
        case TextFormat::Utf16Le: return kUtf16LeBom;
        case TextFormat::Utf16Be: return kUtf16BeBom;
        case TextFormat::Utf32Le: return kUtf32LeBom;
        case TextFormat::Utf32Be: return kUtf32BeBom;
        default: return kUtf8Bom;
    }
}

TextShape textShapeOf(std::string_view bytes) {
    TextShape shape;
    shape.hasBom = true;
    // FF FE 00 00 is UTF-32LE's mark and also UTF-16LE's followed by U+0000.
    // UTF-32LE wins when the rest is whole units that are all code points: a
    // UTF-16 text would have to start with U+0000 and hold a character below
    // U+0011 at every second place to look so. Otherwise UTF-16LE, which reads
    // any bytes back as they were. 00 00 FE FF is no other format's mark: whole
    // units after it are UTF-32BE, whatever they hold.
    if (bytes.substr(0, 3) == kUtf8Bom) {
        shape.format = TextFormat::Utf8;
    } else if (bytes.substr(0, 4) == kUtf32LeBom && wholeUtf32(bytes.substr(4), false)) {
        shape.format = TextFormat::Utf32Le;
    } else if (bytes.substr(0, 4) == kUtf32BeBom && bytes.size() % 4 == 0) {
        shape.format = TextFormat::Utf32Be;
    } else if (bytes.substr(0, 2) == kUtf16LeBom) {
        shape.format = TextFormat::Utf16Le;
    } else if (bytes.substr(0, 2) == kUtf16BeBom) {
        shape.format = TextFormat::Utf16Be;
    } else {
        shape.format = detectTextEncoding(bytes, TextFormat::Utf8);
        shape.hasBom = false;
    }
    if (shape.hasBom) bytes.remove_prefix(byteOrderMark(shape.format).size());
    shape.body = bytes;
    return shape;
}

std::wstring decodeTextBody(std::string_view bytes, TextFormat format, bool& exact) {
    exact = true;
    switch (format) {
        case TextFormat::Utf8: return utf8ToWide(bytes, exact);
        case TextFormat::Utf16Le:
        case TextFormat::Utf16Be:
            exact = bytes.size() % 2 == 0;
            return utf16ToWide(bytes, format == TextFormat::Utf16Be);
        case TextFormat::Utf32Le:
        case TextFormat::Utf32Be: return utf32ToWide(bytes, format == TextFormat::Utf32Be, exact);
        case TextFormat::Ansi: {
            std::wstring text = ansiToWide(bytes);
            exact = ansiRoundTrips(text, bytes);
            return text;
        }
    }
    return std::wstring();
}

std::wstring decodeShapedText(const TextShape& shape) {
    if (shape.format == TextFormat::Ansi) return ansiToWide(shape.body);  // no need to know whether it maps back
    bool exact = true;
    return decodeTextBody(shape.body, shape.format, exact);
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

std::string unicodeBody(std::wstring_view text, TextFormat format) {
    switch (format) {
        case TextFormat::Utf16Le:
        case TextFormat::Utf16Be: return wideToUtf16(text, format == TextFormat::Utf16Be);
        case TextFormat::Utf32Le:
        case TextFormat::Utf32Be: return wideToUtf32(text, format == TextFormat::Utf32Be);
        default: return wideToUtf8(text);
    }
}

}  // namespace

bool appendTextBody(std::wstring_view text, TextFormat format, std::string& bytes) {
    std::string body;
    if (format != TextFormat::Ansi)
        body = unicodeBody(text, format);
    else if (!wideToAnsi(text, body))
        return false;
    if (bytes.empty())
        bytes = std::move(body);  // a whole file, often: not copied once more
    else
        bytes += body;
    return true;
}

namespace {

bool isPlainAscii(std::string_view bytes) {
    for (char c : bytes)
        if (c == '\0' || static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

}  // namespace

// Content without a mark is known by its look alone: false when it would be read
// back in another format, so that a later save would change its bytes or its text.
bool recognisedWithoutMark(std::string_view bytes, TextFormat format, bool strayBytes) {
    if (format == TextFormat::Utf8 && !strayBytes) {
        // Only a zero byte or a beginning like a mark can mislead: a long file
        // is not looked through for stray bytes it cannot hold.
        return bytes.find('\0') == std::string_view::npos && bytes.substr(0, 3) != kUtf8Bom &&
               bytes.substr(0, 2) != kUtf16LeBom && bytes.substr(0, 2) != kUtf16BeBom;
    }
    const TextShape shape = textShapeOf(bytes);
    if (shape.hasBom) return false;  // it begins like a mark
    // Plain ASCII reads the same in every format but UTF-16 and UTF-32.
    if (format == TextFormat::Ansi) return shape.format == TextFormat::Ansi || isPlainAscii(bytes);
    return bytes.empty() || shape.format == format;
}

std::string encodeText(std::wstring_view text, TextFormat format, bool withBom) {
    std::string bytes;
    if (format == TextFormat::Ansi && wideToAnsi(text, bytes) && recognisedWithoutMark(bytes, format, true)) return bytes;
    if (format == TextFormat::Ansi) {
        format = TextFormat::Utf8;
        withBom = true;
    }
    bytes.clear();
    appendTextBody(text, format, bytes);
    if (withBom || !recognisedWithoutMark(bytes, format, false)) bytes.insert(0, byteOrderMark(format));
    // Behind its mark, UTF-16LE text starting with U+0000 can look like UTF-32LE:
    // only the other byte order keeps it.
    if (format == TextFormat::Utf16Le && bytes.substr(0, 4) == kUtf32LeBom && wholeUtf32(bytes.substr(4), false))
        return encodeText(text, TextFormat::Utf16Be, true);
    return bytes;
}
