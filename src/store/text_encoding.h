#pragma once
// Text formats of Kivo's files (category files, settings file, language files):
// byte-order marks, detection of unmarked files, decoding and encoding.
#include <string>
#include <string_view>

enum class TextFormat { Utf8, Utf16Le, Ansi };

// Decides the format of unmarked file content; `fallback` when the bytes do not tell.
TextFormat detectTextEncoding(std::string_view bytes, TextFormat fallback);

struct DecodedText {
    std::wstring text;
    TextFormat format = TextFormat::Utf8;
    bool hasBom = false;
};

// A UTF-8 or UTF-16LE byte-order mark decides the format; otherwise detection with
// UTF-8 as the fallback. Bytes that are not valid UTF-8 in a file read as UTF-8 are
// taken as ANSI characters, so that saving the file again keeps them.
DecodedText decodeText(std::string_view bytes);

// The file content for `text`. ANSI text that the code page cannot hold is written
// as UTF-8 with a byte-order mark instead, so no character is lost.
std::string encodeText(std::wstring_view text, TextFormat format, bool withBom);

std::wstring utf8ToWide(std::string_view bytes);
std::string wideToUtf8(std::wstring_view text);
