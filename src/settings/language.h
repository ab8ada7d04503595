#pragma once
// The numbered texts of the user interface, English by default, replaced from
// a language file in the program's "Languages" folder.
#include <array>
#include <string>

constexpr int kLanguageEntryCount = 111;
constexpr size_t kMaxLanguageNameChars = 64;

struct LanguageTable {
    std::array<std::wstring, kLanguageEntryCount + 1> texts;  // [0] is not an entry
    std::wstring name;  // the language whose file was applied; empty for the defaults
};

extern LanguageTable languageTable;

void fillDefaultLanguage(LanguageTable& table);

// Entry 1 to kLanguageEntryCount; an empty text for any other number.
const std::wstring& languageText(const LanguageTable& table, int entry);
const std::wstring& languageText(int entry);  // of languageTable
// The text as it reads outside a control or menu, which would take a "&" for
// the mark of its access key: "&Delete" is "Delete", "drag&&drop" "drag&drop".
std::wstring withoutAccessKey(const std::wstring& text);
// The character a text marks as its access key ("&" before it), or 0.
wchar_t accessKey(const std::wstring& text);
// The English text, for messages shown before the language file is read.
const std::wstring& builtInText(int entry);

// Applies the lines of a language file: "N=text" lines, plain lines numbered by
// their line in the file, ";" comments; texts are taken as they stand.
void applyLanguageText(LanguageTable& table, const std::wstring& text);
bool loadLanguageFile(LanguageTable& table, const std::wstring& path);

// Tries "Languages\<language>.lng", then the native language name, in the program
// folder; returns the name of the file applied (also kept in the table), empty
// when the defaults stay.
std::wstring loadLanguage(LanguageTable& table, const std::wstring& programFolder, const std::wstring& language,
                          const std::wstring& nativeLanguage);
