#include "settings/ini_document.h"

#include "platform/files.h"
#include "platform/text_case.h"
#include "store/text_lines.h"
#include "store/text_values.h"

namespace {

// The group's first run of consecutive entries: [begin, end); begin == end when
// the group has no entries.
struct EntryRun {
    size_t begin = 0;
    size_t end = 0;
};

EntryRun firstRun(const IniDocument& doc, int group) {
    EntryRun run{doc.entries.size(), doc.entries.size()};
    for (size_t i = 0; i < doc.entries.size(); ++i) {
        if (doc.entries[i].group != group) continue;
        run.begin = i;
        run.end = i;
        while (run.end < doc.entries.size() && doc.entries[run.end].group == group) ++run.end;
        break;
    }
    return run;
}

constexpr size_t kNotFound = static_cast<size_t>(-1);

size_t findEntry(const IniDocument& doc, const std::wstring& key) {
    if (doc.currentGroup == kNoIniGroup) return kNotFound;
    EntryRun run = firstRun(doc, doc.currentGroup);
    for (size_t i = run.begin; i < run.end; ++i)
        if (sameTextIgnoringCase(doc.entries[i].key, key)) return i;
    return kNotFound;
}

// Groups that a file already holds are all kept, however many there are, so that
// loading and saving never drops lines; only new groups are limited.
int selectOrAddGroup(IniDocument& doc, const std::wstring& name, bool limited) {
    if (name.empty()) return doc.currentGroup = 0;
    for (size_t i = 1; i < doc.groupNames.size(); ++i)
        if (sameTextIgnoringCase(doc.groupNames[i], name)) return doc.currentGroup = static_cast<int>(i);
    if (limited && groupCount(doc) >= kMaxIniGroups) return doc.currentGroup = kNoIniGroup;
    doc.groupNames.push_back(name);
    ++doc.changes;
    return doc.currentGroup = groupCount(doc);
}

void parseLine(IniDocument& doc, std::wstring_view line) {
    if (line[0] == L'[') {
        // To the last "]", as the system's profile functions read it: a category
        // whose name holds a "]" finds its group again.
        size_t close = line.rfind(L']');
        if (close != std::wstring_view::npos) {
            selectOrAddGroup(doc, std::wstring(line.substr(1, close - 1)), false);
            return;
        }
    }
    IniEntry entry;
    entry.group = doc.currentGroup;
    size_t eq = line.find(L'=');
    if (eq != std::wstring_view::npos && eq >= 1 && line[0] != L';') {
        entry.key = trimTrailingSpaces(line.substr(0, eq));
        entry.value = trimLeadingSpaces(line.substr(eq + 1));
    } else {
        entry.key = line;
    }
    doc.entries.push_back(std::move(entry));
}

// A group without entries is not written, so after a load it does not count
// either: otherwise a new group refused now would be taken after the next save.
void dropEmptyGroups(IniDocument& doc) {
    std::vector<int> renumbered(doc.groupNames.size(), -1);
    renumbered[0] = 0;
    for (const IniEntry& entry : doc.entries) renumbered[static_cast<size_t>(entry.group)] = 0;
    std::vector<std::wstring> names;
    for (size_t i = 0; i < doc.groupNames.size(); ++i) {
        if (renumbered[i] < 0) continue;
        renumbered[i] = static_cast<int>(names.size());
        names.push_back(std::move(doc.groupNames[i]));
    }
    doc.groupNames = std::move(names);
    for (IniEntry& entry : doc.entries) entry.group = renumbered[static_cast<size_t>(entry.group)];
}

}  // namespace

int groupCount(const IniDocument& doc) { return static_cast<int>(doc.groupNames.size()) - 1; }

bool load(IniDocument& doc) {
    std::string bytes;
    if (!readWholeFile(doc.path, bytes)) return false;
    DecodedText decoded = decodeText(bytes);
    doc.hasBom = decoded.hasBom;
    doc.format = decoded.format;
    doc.entries.clear();
    doc.groupNames.assign(1, std::wstring());
    doc.currentGroup = 0;
    for (std::wstring_view line : splitTextLines(decoded.text)) {
        line = trimSpaces(line);
        if (!line.empty()) parseLine(doc, line);
    }
    dropEmptyGroups(doc);
    doc.currentGroup = 0;
    doc.changes = 0;
    return true;
}

bool save(IniDocument& doc) {
    if (doc.changes == 0) return false;
    std::wstring text;
    int previousGroup = 0;
    for (const IniEntry& entry : doc.entries) {
        if (entry.group != previousGroup) {
            text += L"\r\n[" + doc.groupNames[static_cast<size_t>(entry.group)] + L"]\r\n";
            previousGroup = entry.group;
        }
        text += entry.key;
        // A line kept whole (a comment, a line beginning with "=") goes back as it
        // came; only a line without "=" gains one, once.
        if (entry.key.empty() || (entry.key[0] != L';' && entry.key.find(L'=') == std::wstring::npos)) text += L'=';
        text += entry.value;
        text += L"\r\n";
    }
    return replaceFileContent(doc.path, encodeText(text, doc.format, doc.hasBom));
}

int selectGroup(IniDocument& doc, const std::wstring& name) { return selectOrAddGroup(doc, name, true); }

int selectExistingGroup(IniDocument& doc, const std::wstring& name) {
    if (name.empty()) return doc.currentGroup = 0;
    for (size_t i = 1; i < doc.groupNames.size(); ++i)
        if (sameTextIgnoringCase(doc.groupNames[i], name)) return doc.currentGroup = static_cast<int>(i);
    return doc.currentGroup = kNoIniGroup;
}

std::wstring readString(const IniDocument& doc, const std::wstring& key, const std::wstring& defaultValue) {
    size_t i = findEntry(doc, key);
    return i == kNotFound ? defaultValue : doc.entries[i].value;
}

void writeString(IniDocument& doc, const std::wstring& key, const std::wstring& value) {
    if (doc.currentGroup == kNoIniGroup) return;
    size_t found = findEntry(doc, key);
    if (found != kNotFound) {
        if (doc.entries[found].value != value) {
            doc.entries[found].value = value;
            ++doc.changes;
        }
        return;
    }
    EntryRun run = firstRun(doc, doc.currentGroup);
    size_t at = doc.entries.size();
    if (run.begin != run.end) {
        at = run.end;
    } else if (doc.currentGroup == 0) {
        at = 0;  // no top-level entries yet: they go before every group
    }
    doc.entries.insert(doc.entries.begin() + static_cast<std::ptrdiff_t>(at), IniEntry{doc.currentGroup, key, value});
    ++doc.changes;
}

int32_t readInt(const IniDocument& doc, const std::wstring& key, int32_t defaultValue) {
    return parseIntText(readString(doc, key, std::to_wstring(defaultValue)));
}

void writeInt(IniDocument& doc, const std::wstring& key, int32_t value) {
    writeString(doc, key, std::to_wstring(value));
}

uint32_t readColor(const IniDocument& doc, const std::wstring& key, const std::wstring& defaultText) {
    return parseColorText(readString(doc, key, defaultText));
}

void writeColor(IniDocument& doc, const std::wstring& key, uint32_t color) {
    writeString(doc, key, formatColorText(color));
}

void deleteGroupEntries(IniDocument& doc) {
    if (doc.currentGroup == kNoIniGroup) return;
    for (size_t i = doc.entries.size(); i-- > 0;) {
        if (doc.entries[i].group != doc.currentGroup) continue;
        doc.entries.erase(doc.entries.begin() + static_cast<std::ptrdiff_t>(i));
        ++doc.changes;
    }
}
