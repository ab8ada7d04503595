#include "store/text_writer.h"

#include "store/encoded_lines.h"

namespace {

void encodePendingText(TextWriter& writer) {
    if (writer.fits && writer.encodedTo < writer.text.size())
        writer.fits = appendTextBody(std::wstring_view(writer.text).substr(writer.encodedTo), writer.format, writer.bytes);
    writer.encodedTo = writer.text.size();
}

}  // namespace

void writeText(TextWriter& writer, std::wstring_view text) { writer.text += text; }

void writeKeptBytes(TextWriter& writer, std::string_view bytes, std::wstring_view text) {
    bool exact = true;
    // Whole code units only: a unit cut short would take the next bytes with it.
    if (bytes.size() % codeUnitSize(writer.format) != 0 || decodeTextBody(bytes, writer.format, exact) != text) {
        writeText(writer, text);
        return;
    }
    encodePendingText(writer);
    writer.bytes += bytes;
    writer.text += text;
    writer.encodedTo = writer.text.size();
    writer.kept = true;
}

bool writtenContent(TextWriter& writer, std::string& content) {
    encodePendingText(writer);
    const bool ansi = writer.format == TextFormat::Ansi;
    if (!writer.fits || (ansi && !recognisedWithoutMark(writer.bytes, writer.format, true))) {
        content = encodeText(writer.text, writer.format, writer.withBom);
        return true;
    }
    content = std::move(writer.bytes);
    if (ansi || (!writer.withBom && recognisedWithoutMark(content, writer.format, writer.kept))) return true;
    content.insert(0, byteOrderMark(writer.format));
    return textShapeOf(content).format == writer.format;
}
