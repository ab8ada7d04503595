#pragma once
// The five ";"-separated fields of an item's definition.
#include <string>
#include <string_view>

// Stands for ";" inside a field, where ";" separates fields. Files written before
// the other fields took it hold it in the parameters alone, so they read as before.
constexpr wchar_t kFieldSemicolon = L'\x7F';

// Every field with real ";" characters.
struct DefinitionFields {
    std::wstring command;
    std::wstring parameters;
    std::wstring directory;
    std::wstring showMode;    // "min", "max", "admin" or anything meaning normal
    std::wstring iconSource;  // file, optionally "," and an icon index
};

DefinitionFields splitDefinition(std::wstring_view definition);
// Whether the first field, the command, is not empty: splitting every field
// of each item of a long category only to ask that would cost its start.
inline bool definitionHasCommand(std::wstring_view definition) {
    return !definition.empty() && definition.front() != L';';
}

// A field as it is stored in a definition: every ";" made kFieldSemicolon. A
// kFieldSemicolon already in the text comes back as ";".
std::wstring storedField(std::wstring_view text);

// How a started program's window is shown; "admin" starts it elevated.
constexpr int kShowModeNormal = 0;
constexpr int kShowModeMin = 1;
constexpr int kShowModeMax = 2;
constexpr int kShowModeAdmin = 3;
// Exact, case-sensitive match of "min", "max" or "admin"; anything else is normal.
int parseShowMode(std::wstring_view field);
// The stored word: "min", "max", "admin", or nothing for normal.
const wchar_t* showModeWord(int showMode);

struct IconSource {
    std::wstring file;
    int index = 0;
};
// Splits at the last ",": the file before it, the decimal index after it.
IconSource splitIconSource(std::wstring_view field);
