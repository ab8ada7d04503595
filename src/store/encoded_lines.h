#pragma once
// Lines, spaces and separators found in the bytes of a file rather than in its
// decoded text, so that the parts of a line Kivo does not change can go back as
// the bytes they came as. A line break, a space, "=", "[" and "]" are a code
// unit of their own in every format Kivo reads: no byte of a longer UTF-8
// character is below 0x80, and no byte of a double-byte ANSI character below
// 0x40.
#include <cstddef>
#include <string_view>

#include "store/text_encoding.h"

size_t codeUnitSize(TextFormat format);  // 1, 2 or 4 bytes

struct EncodedLine {
    std::string_view bytes;   // without its end
    std::string_view ending;  // CR LF, LF, CR, or nothing at the end
};
// The line that starts at `from` (below body.size()); returns where the next
// one starts. Lines end as splitTextLines has them end in the decoded text: a
// last code unit cut short counts as if zero bytes followed it.
size_t encodedLineAt(std::string_view body, size_t from, TextFormat format, EncodedLine& line);

// Spaces (only the space character) removed at both ends, or at the start.
std::string_view trimEncodedSpaces(std::string_view bytes, TextFormat format);
std::string_view trimLeadingEncodedSpaces(std::string_view bytes, TextFormat format);
// Where the first or the last code unit that is the ASCII character `c` starts;
// npos when there is none.
size_t findEncodedCharacter(std::string_view bytes, TextFormat format, char c);
size_t findLastEncodedCharacter(std::string_view bytes, TextFormat format, char c);
