#pragma once
// The settings document: an INI-style text file held in memory, read and written
// whole. Every line Kivo does not change goes back as it came, byte for byte:
// comments, blank lines, spacing, lines without "=", text after a header's "]",
// bytes of another encoding; a changed line keeps the bytes around its value.
#include <cstdint>
#include <string>
#include <vector>

#include "store/text_encoding.h"

// A line of the file as it came: a blank line, a group's header, or an
// entry's own line.
struct IniLine {
    std::wstring text{};    // without its line end
    std::wstring ending{};  // "\r\n", "\n", "\r", or nothing at the file's end
    // The bytes of `text` in the file's format as the file held them: a line
    // of bytes that do not decode exactly (Latin-1 in a UTF-8 file, say) goes
    // back as it came.
    std::string bytes{};
    int group = -1;         // a header: the group it opens; -1 for any other line
    size_t nameBegin = 0;   // a header: where the group's name stands in `text`
    size_t nameEnd = 0;
};

struct IniEntry {
    int group = 0;      // index into groupNames; 0 for the top-level group
    std::wstring key;   // a comment or a line without "=" is all key
    std::wstring value;
    // What the file held: the lines before the entry that are no entries
    // (blank lines, headers) and the entry's own line, with where its value
    // stands in it. An entry added in memory has none of them.
    std::vector<IniLine> before{};
    IniLine line{};
    bool fromFile = false;
    bool hasEquals = false;
    size_t valueBegin = 0;
    size_t valueEnd = 0;
    std::wstring fileValue{};
};

constexpr int kMaxIniGroups = 64;
// Where a group beyond the 64th would be: reads give the default, writes are
// dropped, so no other group's keys are ever touched.
constexpr int kNoIniGroup = -1;

struct IniDocument {
    std::wstring path;
    bool hasBom = false;
    TextFormat format = TextFormat::Utf8;
    int currentGroup = 0;
    std::vector<std::wstring> groupNames{std::wstring()};  // [0] names the top-level group
    int changes = 0;  // modifications since the last successful load
    std::vector<IniEntry> entries;
    std::vector<IniLine> tail{};        // the lines after the last entry
    std::vector<std::wstring> fileGroupNames{};  // groupNames as read: renamed ones differ
    std::wstring lineEnding = L"\r\n";  // the file's most used one, for new lines
};

int groupCount(const IniDocument& doc);

// Reads the file at doc.path; on failure the document is left as it was.
bool load(IniDocument& doc);
// Writes the document when it has changes; true when the file was written.
bool save(IniDocument& doc);

// Makes the named group current (case-insensitive; created when missing) and
// returns its index: 0 for an empty name, kNoIniGroup when a new group is
// needed and 64 exist already.
int selectGroup(IniDocument& doc, const std::wstring& name);
// The same for reading only: a missing group is not created, it becomes
// kNoIniGroup (reads give their defaults).
int selectExistingGroup(IniDocument& doc, const std::wstring& name);

std::wstring readString(const IniDocument& doc, const std::wstring& key, const std::wstring& defaultValue);
void writeString(IniDocument& doc, const std::wstring& key, const std::wstring& value);
int32_t readInt(const IniDocument& doc, const std::wstring& key, int32_t defaultValue);
void writeInt(IniDocument& doc, const std::wstring& key, int32_t value);
uint32_t readColor(const IniDocument& doc, const std::wstring& key, const std::wstring& defaultText);
void writeColor(IniDocument& doc, const std::wstring& key, uint32_t color);
// Removes every entry of the current group.
void deleteGroupEntries(IniDocument& doc);
