#pragma once
// A file's new content, put together from new text and from bytes kept from the
// file as it was read: a line Kivo does not change goes back as it came, even
// where its bytes do not decode exactly (stray bytes in UTF-8, UTF-32 units that
// are no code point, bytes of several encodings in one file).
#include <string>
#include <string_view>

#include "store/text_encoding.h"

struct TextWriter {
    TextFormat format = TextFormat::Utf8;
    bool withBom = false;
    std::wstring text{};   // all of it as text, for a format that cannot hold it
    std::string bytes{};   // in `format`, up to `encodedTo` of `text`
    size_t encodedTo = 0;
    bool fits = true;      // `format` holds every text written (only ANSI may not)
    bool kept = false;     // some bytes were kept
};

void writeText(TextWriter& writer, std::wstring_view text);
// `bytes` came from a file in the writer's format as `text`: they are written
// when they still read as `text` there, otherwise `text` is.
void writeKeptBytes(TextWriter& writer, std::string_view bytes, std::wstring_view text);

// The content to write, with a mark where it needs one, as encodeText gives it
// (ANSI beyond the code page becomes UTF-8 with a mark, the kept bytes with it);
// false when it would not read back in the writer's format, and nothing may be
// written: UTF-16LE whose text starts with U+0000 can look like UTF-32LE
// behind its mark.
bool writtenContent(TextWriter& writer, std::string& content);
