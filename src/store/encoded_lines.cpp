#include "store/encoded_lines.h"

#include <algorithm>

namespace {

// The code unit at byte `i`, the bytes missing at the end taken as zero.
char32_t unitAt(std::string_view bytes, size_t i, TextFormat format) {
    const size_t size = codeUnitSize(format);
    const bool bigEndian = format == TextFormat::Utf16Be || format == TextFormat::Utf32Be;
    char32_t unit = 0;
    for (size_t k = 0; k < size; ++k) {
        const char32_t b = i + k < bytes.size() ? static_cast<unsigned char>(bytes[i + k]) : 0;
        unit |= b << (8 * (bigEndian ? size - 1 - k : k));
    }
    return unit;
}

}  // namespace

size_t codeUnitSize(TextFormat format) {
    switch (format) {
        case TextFormat::Utf16Le:
        case TextFormat::Utf16Be: return 2;
        case TextFormat::Utf32Le:
        case TextFormat::Utf32Be: return 4;
        default: return 1;
    }
}

size_t encodedLineAt(std::string_view body, size_t from, TextFormat format, EncodedLine& line) {
    const size_t unit = codeUnitSize(format);
    size_t end = body.size();
    if (unit == 1) {
        // Nearly every category is UTF-8: its lines are found without a look at each unit.
        end = from;
        while (end < body.size() && body[end] != '\r' && body[end] != '\n') ++end;
    } else {
        for (size_t i = from; i < body.size(); i += unit) {
            const char32_t c = unitAt(body, i, format);
            if (c == U'\r' || c == U'\n') {
                end = i;
                break;
            }
        }
    }
    size_t next = end;
    if (end < body.size()) {
        next = std::min(end + unit, body.size());
        if (unitAt(body, end, format) == U'\r' && next < body.size() && unitAt(body, next, format) == U'\n')
            next = std::min(next + unit, body.size());
    }
    line.bytes = body.substr(from, end - from);
    line.ending = body.substr(end, next - end);
    return next;
}

std::string_view trimLeadingEncodedSpaces(std::string_view bytes, TextFormat format) {
    const size_t unit = codeUnitSize(format);
    size_t begin = 0;
    while (begin < bytes.size() && unitAt(bytes, begin, format) == U' ') begin += unit;
    return bytes.substr(std::min(begin, bytes.size()));
}

std::string_view trimEncodedSpaces(std::string_view bytes, TextFormat format) {
    bytes = trimLeadingEncodedSpaces(bytes, format);
    const size_t unit = codeUnitSize(format);
    size_t end = 0;
    for (size_t i = 0; i < bytes.size(); i += unit)
        if (unitAt(bytes, i, format) != U' ') end = std::min(i + unit, bytes.size());
    return bytes.substr(0, end);
}

size_t findEncodedCharacter(std::string_view bytes, TextFormat format, char c) {
    const size_t unit = codeUnitSize(format);
    for (size_t i = 0; i < bytes.size(); i += unit)
        if (unitAt(bytes, i, format) == static_cast<char32_t>(c)) return i;
    return std::string_view::npos;
}

size_t findLastEncodedCharacter(std::string_view bytes, TextFormat format, char c) {
    const size_t unit = codeUnitSize(format);
    size_t found = std::string_view::npos;
    for (size_t i = 0; i < bytes.size(); i += unit)
        if (unitAt(bytes, i, format) == static_cast<char32_t>(c)) found = i;
    return found;
}
