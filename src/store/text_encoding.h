#pragma once
// Text formats of Kivo's files (category files, settings file, language files):
// byte-order marks, detection of unmarked files, decoding and encoding.
#include <string>
#include <string_view>

enum class TextFormat { Utf8, Utf16Le, Utf16Be, Ansi };

// Decides the format of unmarked file content; `fallback` when the bytes do not
// tell. A zero byte means UTF-16: big-endian when most zero bytes stand at even
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
// As decodeText decides it.
TextShape textShapeOf(std::string_view bytes);
// The text of the bytes after the mark, read in the shape's format.
std::wstring decodeShapedText(const TextShape& shape);

// A UTF-8, UTF-16LE or UTF-16BE byte-order mark decides the format; otherwise
// detection with UTF-8 as the fallback. Bytes that are not valid UTF-8 in a file
// read as UTF-8 are taken as ANSI characters, so that saving the file again keeps
// them; a UTF-16 file of odd length keeps its last byte as a character of its own.
DecodedText decodeText(std::string_view bytes);

// The file content for `text`. ANSI text that the code page cannot hold is written
// as UTF-8 with a byte-order mark instead, so no character is lost. Content
// without a mark that would be read back in another format gets the mark of its
// format (ANSI becomes UTF-8 with a mark): content that begins like a mark, UTF-8
// or ANSI with a zero byte, UTF-16 without one or whose zero bytes tell the other
// byte order, and ANSI that detection would take for UTF-8 (a file that lost the
// lines whose stray bytes made it ANSI).
std::string encodeText(std::wstring_view text, TextFormat format, bool withBom);

std::wstring utf8ToWide(std::string_view bytes);
std::string wideToUtf8(std::wstring_view text);
