// Text formats: content decoded and encoded again in its own format keeps its
// text and settles (a second encoding writes the bytes of the first); content
// written back from the bytes it was read as is those bytes; a text encoded in
// any format reads back as itself. Only UTF-8 cannot hold a lone surrogate,
// which becomes U+FFFD there.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "platform_standin.h"
#include "store/encoded_lines.h"
#include "store/text_encoding.h"
#include "store/text_writer.h"

namespace {

bool isSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// `text` as UTF-8 can hold it: lone surrogates replaced.
std::wstring withoutLoneSurrogates(const std::wstring& text) {
    std::wstring result = text;
    for (size_t i = 0; i < result.size(); ++i) {
        const bool high = result[i] >= 0xD800 && result[i] <= 0xDBFF;
        if (high && i + 1 < result.size() && result[i + 1] >= 0xDC00 && result[i + 1] <= 0xDFFF) {
            ++i;
        } else if (isSurrogate(result[i])) {
            result[i] = 0xFFFD;
        }
    }
    return result;
}

void checkEveryFormat(const std::wstring& text) {
    const TextFormat formats[] = {TextFormat::Utf8, TextFormat::Utf16Le, TextFormat::Utf16Be,
                                  TextFormat::Ansi, TextFormat::Utf32Le, TextFormat::Utf32Be};
    for (TextFormat format : formats) {
        for (bool withBom : {false, true}) {
            const DecodedText back = decodeText(encodeText(text, format, withBom));
            // ANSI that the code page cannot hold goes out as UTF-8.
            const bool asUtf8 = format == TextFormat::Utf8 || (format == TextFormat::Ansi && back.format == TextFormat::Utf8);
            requireThat(back.text == (asUtf8 ? withoutLoneSurrogates(text) : text), "a text reads back as itself");
        }
    }
}

// A unit cut short is the one thing made whole.
void checkKeptBytes(const std::string& bytes) {
    const TextShape shape = textShapeOf(bytes);
    if (shape.body.size() % codeUnitSize(shape.format) != 0) return;
    bool exact = true;
    const std::wstring text = decodeTextBody(shape.body, shape.format, exact);
    TextWriter writer{shape.format, shape.hasBom};
    writeKeptBytes(writer, shape.body, text);
    std::string content;
    requireThat(writtenContent(writer, content) && content == bytes, "content written back as it was read is its bytes");
    std::string encoded;
    requireThat(!exact || (appendTextBody(text, shape.format, encoded) && encoded == shape.body),
                "text decoded exactly encodes to its bytes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    resetStandin();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const DecodedText first = decodeText(bytes);
    for (wchar_t c : first.text) requireThat(c >= 0 && c <= 0xFFFF, "decoding gives UTF-16 code units");

    const std::string once = encodeText(first.text, first.format, first.hasBom);
    const DecodedText second = decodeText(once);
    requireThat(second.text == first.text, "content encoded in its own format keeps its text");
    const std::string twice = encodeText(second.text, second.format, second.hasBom);
    requireThat(twice == once, "a second encoding writes the bytes of the first");

    checkKeptBytes(bytes);
    checkEveryFormat(first.text);
    std::wstring units;  // the input taken as UTF-16 code units, whatever they form
    for (size_t i = 0; i + 1 < size; i += 2) units.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
    checkEveryFormat(units);
    return 0;
}
