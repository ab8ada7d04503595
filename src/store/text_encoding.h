#pragma once
// Text formats of Kivo's files (category files, settings file, language files):
// byte-order marks, detection of unmarked files, decoding and encoding.
#include <string>
#include <string_view>

enum class TextFormat { Utf8, Utf16Le, Utf16Be, Ansi, Utf32Le, Utf32Be };

// Decides the format of unmarked file content; `fallback` when the bytes do not
// tell. Whole four-byte units that are all code points, some of them below
// U+0100 (three zero bytes in a unit: line ends, "=", Latin letters), mean
// UTF-32 in that byte order, little-endian when both would do. Any other zero
// byte means UTF-16: big-endian when most zero bytes stand at even
// offsets, little-endian otherwise. Content with both well-formed UTF-8 sequences and stray high bytes is
// ANSI when the stray bytes outnumber the sequences (an ANSI text can hold a pair
// that happens to be UTF-8), otherwise it is taken as `fallback`.
TextFormat detectTextEncoding(std::string_view bytes, TextFormat fallback);

struct DecodedText {
    std::wstring text;
    TextFormat format = TextFormat::Utf8;
    bool hasBom = false;
};

// How file content is to be read: its format, whether a byte-order mark told
// it, and the bytes after the mark.
struct TextShape {
    TextFormat format = TextFormat::Utf8;
    bool hasBom = false;
    std::string_view body;
};
// As decodeText decides it; a UTF-32 mark counts only before whole units.
TextShape textShapeOf(std::string_view bytes);
// The text of the bytes after the mark, read in the shape's format.
std::wstring decodeShapedText(const TextShape& shape);

// A UTF-8, UTF-16 or UTF-32 byte-order mark decides the format; otherwise
// detection with UTF-8 as the fallback. Bytes that are not valid UTF-8 in a file
// read as UTF-8 are taken as ANSI characters, so that the text shows them; a
// UTF-16 file of odd length keeps its last byte as a character of its own. A
// UTF-32 unit beyond U+10FFFF reads as U+FFFD; surrogate values stay lone
// surrogates. (Where such bytes must come back as they were, the writer in
// text_writer.h keeps them.)
DecodedText decodeText(std::string_view bytes);

// The text of bytes in `format` (no mark), and whether encoding the text again
// gives exactly these bytes back: not so for stray bytes in UTF-8, UTF-32 units
// that are no code point or that pair up as surrogates, a last code unit cut
// short, or ANSI bytes the code page does not map back. A unit cut short reads
// as if zero bytes followed it.
std::wstring decodeTextBody(std::string_view bytes, TextFormat format, bool& exact);
// Appends `text` in `format`, without a mark and without a look at what the
// whole would read as; false (and nothing appended) when the ANSI code page
// cannot hold it.
bool appendTextBody(std::wstring_view text, TextFormat format, std::string& bytes);
// Content without a mark is read back in `format` with the same text, as far as
// its look tells (what encodeText checks before it leaves a mark out).
// `strayBytes`: UTF-8 content may hold bytes that are no UTF-8 (kept from the
// file it came from), which can make it look like ANSI.
bool recognisedWithoutMark(std::string_view bytes, TextFormat format, bool strayBytes);
std::string_view byteOrderMark(TextFormat format);  // UTF-8's for ANSI

// The file content for `text`. ANSI text that the code page cannot hold is written
// as UTF-8 with a byte-order mark instead, so no character is lost; UTF-16LE
// text that would read back as UTF-32LE behind its mark (it starts with U+0000,
// see textShapeOf) as UTF-16BE with a mark. Content
// without a mark that would be read back in another format gets the mark of its
// format (ANSI becomes UTF-8 with a mark): content that begins like a mark, UTF-8
// or ANSI with a zero byte, UTF-16 without one or whose zero bytes tell the other
// byte order, and ANSI that detection would take for UTF-8 (a file that lost the
// lines whose stray bytes made it ANSI).
std::string encodeText(std::wstring_view text, TextFormat format, bool withBom);

std::wstring utf8ToWide(std::string_view bytes);
std::string wideToUtf8(std::wstring_view text);
