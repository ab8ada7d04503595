#include "settings/ini_document.h"

#include <algorithm>
#include <iterator>

#include "platform/files.h"
#include "platform/text_case.h"
#include "store/encoded_lines.h"
#include "store/text_lines.h"
#include "store/text_writer.h"
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

// Lines with their own ends, so that each goes back with the end it came with,
// and with the bytes it came as.
std::vector<IniLine> splitKeepingEnds(std::string_view body, TextFormat format) {
    std::vector<IniLine> lines;
    bool exact = true;
    for (size_t at = 0; at < body.size();) {
        EncodedLine line;
        at = encodedLineAt(body, at, format, line);
        lines.push_back(IniLine{decodeTextBody(line.bytes, format, exact), decodeTextBody(line.ending, format, exact),
                                std::string(line.bytes)});
    }
    return lines;
}

std::wstring mostUsedEnding(const std::vector<IniLine>& lines) {
    size_t crlf = 0, lf = 0, cr = 0;
    for (const IniLine& line : lines) {
        if (line.ending == L"\r\n") ++crlf;
        else if (line.ending == L"\n") ++lf;
        else if (line.ending == L"\r") ++cr;
    }
    if (lf > crlf && lf >= cr) return L"\n";
    if (cr > crlf && cr > lf) return L"\r";
    return L"\r\n";
}

// Reads one line: what is read from it is as if the line had been trimmed of
// spaces, but the line itself is kept whole. Blank lines and headers wait in
// `pending` for the entry they stand before.
void parseLine(IniDocument& doc, IniLine raw, std::vector<IniLine>& pending) {
    const std::wstring_view untrimmed(raw.text);
    const std::wstring_view line = trimSpaces(untrimmed);
    const size_t lead = line.empty() ? 0 : static_cast<size_t>(line.data() - untrimmed.data());
    if (line.empty()) {
        pending.push_back(std::move(raw));
        return;
    }
    if (line[0] == L'[') {
        // To the last "]", as the system's profile functions read it: a category
        // whose name holds a "]" finds its group again.
        size_t close = line.rfind(L']');
        if (close != std::wstring_view::npos) {
            raw.group = selectOrAddGroup(doc, std::wstring(line.substr(1, close - 1)), false);
            raw.nameBegin = lead + 1;
            raw.nameEnd = lead + close;
            pending.push_back(std::move(raw));
            return;
        }
    }
    IniEntry entry;
    entry.group = doc.currentGroup;
    size_t eq = line.find(L'=');
    if (eq != std::wstring_view::npos && eq >= 1 && line[0] != L';') {
        entry.key = trimTrailingSpaces(line.substr(0, eq));
        const std::wstring_view value = trimLeadingSpaces(line.substr(eq + 1));
        entry.value = value;
        entry.hasEquals = true;
        entry.valueEnd = lead + line.size();
        entry.valueBegin = entry.valueEnd - value.size();
    } else {
        entry.key = line;
    }
    entry.fileValue = entry.value;
    entry.fromFile = true;
    entry.line = std::move(raw);
    entry.before = std::move(pending);
    pending.clear();
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
    // The header of a group that holds nothing stays in the file as it is.
    auto renumber = [&](std::vector<IniLine>& lines) {
        for (IniLine& line : lines)
            if (line.group >= 0) line.group = renumbered[static_cast<size_t>(line.group)];
    };
    for (IniEntry& entry : doc.entries) {
        entry.group = renumbered[static_cast<size_t>(entry.group)];
        renumber(entry.before);
    }
    renumber(doc.tail);
}

bool endsWithLineEnd(const std::wstring& text) {
    return !text.empty() && (text.back() == L'\n' || text.back() == L'\r');
}

// The text's last line is blank.
bool endsWithBlankLine(const std::wstring& text) {
    if (!endsWithLineEnd(text)) return false;
    size_t end = text.size() - 1;
    if (text[end] == L'\n' && end > 0 && text[end - 1] == L'\r') --end;
    size_t start = end;
    while (start > 0 && text[start - 1] == L' ') --start;
    return start == 0 || text[start - 1] == L'\n' || text[start - 1] == L'\r';
}

// The bytes of a line before and after a part that changes, kept where they
// still read as the text around that part.
void putAround(TextWriter& out, const IniLine& line, std::string_view before, std::wstring_view replacement,
               std::string_view after, size_t textBegin, size_t textEnd) {
    writeKeptBytes(out, before, std::wstring_view(line.text).substr(0, textBegin));
    writeText(out, replacement);
    writeKeptBytes(out, after, std::wstring_view(line.text).substr(textEnd));
    writeText(out, line.ending);
}

void putLine(const IniDocument& doc, const IniLine& line, TextWriter& out) {
    if (line.group >= 0) {
        const size_t group = static_cast<size_t>(line.group);
        const std::wstring& name = doc.groupNames[group];
        // A renamed group's header: only the name changes.
        if (group < doc.fileGroupNames.size() && name != doc.fileGroupNames[group]) {
            const std::string_view bytes(line.bytes);
            const std::string_view header = trimEncodedSpaces(bytes, doc.format);
            const size_t open = static_cast<size_t>(header.data() - bytes.data()) + codeUnitSize(doc.format);
            const size_t close = findLastEncodedCharacter(bytes, doc.format, ']');
            putAround(out, line, bytes.substr(0, std::min(open, bytes.size())), name,
                      close == std::string_view::npos ? std::string_view() : bytes.substr(close), line.nameBegin,
                      line.nameEnd);
            return;
        }
    }
    writeKeptBytes(out, line.bytes, line.text);
    writeText(out, line.ending);
}

void putEntry(const IniDocument& doc, const IniEntry& entry, TextWriter& out) {
    if (!entry.fromFile) {
        if (!out.text.empty() && !endsWithLineEnd(out.text)) writeText(out, doc.lineEnding);
        writeText(out, entry.key + L"=" + entry.value + doc.lineEnding);
        return;
    }
    if (entry.value == entry.fileValue) {
        putLine(doc, entry.line, out);
        return;
    }
    // Only the value's text changes; a line without "=" gains one, once.
    const IniLine& line = entry.line;
    if (!entry.hasEquals) {
        putAround(out, line, line.bytes, L"=" + entry.value, std::string_view(), line.text.size(), line.text.size());
        return;
    }
    // The value's place in the bytes, found as parseLine found it in the text.
    const std::string_view bytes(line.bytes);
    const std::string_view trimmed = trimEncodedSpaces(bytes, doc.format);
    const size_t equals = findEncodedCharacter(trimmed, doc.format, '=');
    if (equals == std::string_view::npos) {
        putAround(out, line, std::string_view(), entry.value, std::string_view(), entry.valueBegin, entry.valueEnd);
        return;
    }
    const std::string_view value = trimLeadingEncodedSpaces(
        trimmed.substr(std::min(equals + codeUnitSize(doc.format), trimmed.size())), doc.format);
    const size_t valueBegin = static_cast<size_t>(value.data() - bytes.data());
    putAround(out, line, bytes.substr(0, valueBegin), entry.value, bytes.substr(valueBegin + value.size()),
              entry.valueBegin, entry.valueEnd);
}

}  // namespace

int groupCount(const IniDocument& doc) { return static_cast<int>(doc.groupNames.size()) - 1; }

bool load(IniDocument& doc) {
    std::string bytes;
    if (!readWholeFile(doc.path, bytes)) return false;
    const TextShape shape = textShapeOf(bytes);
    doc.hasBom = shape.hasBom;
    doc.format = shape.format;
    doc.entries.clear();
    doc.groupNames.assign(1, std::wstring());
    doc.currentGroup = 0;
    std::vector<IniLine> lines = splitKeepingEnds(shape.body, shape.format);
    doc.lineEnding = mostUsedEnding(lines);
    std::vector<IniLine> pending;
    for (IniLine& line : lines) parseLine(doc, std::move(line), pending);
    doc.tail = std::move(pending);
    dropEmptyGroups(doc);
    doc.fileGroupNames = doc.groupNames;
    doc.currentGroup = 0;
    doc.changes = 0;
    return true;
}

bool save(IniDocument& doc) {
    if (doc.changes == 0) return false;
    TextWriter out{doc.format, doc.hasBom};
    bool tailWritten = false;
    int shownGroup = 0;  // the group whose header the text saw last
    auto putLines = [&](const std::vector<IniLine>& lines) {
        for (const IniLine& line : lines) {
            putLine(doc, line, out);
            if (line.group >= 0) shownGroup = line.group;
        }
    };
    for (const IniEntry& entry : doc.entries) {
        putLines(entry.before);
        if (!entry.fromFile && entry.group != shownGroup) {
            // A group the file has no header for: at its end, after one blank line.
            if (!tailWritten) putLines(doc.tail);
            tailWritten = true;
            if (!out.text.empty() && !endsWithLineEnd(out.text)) writeText(out, doc.lineEnding);
            if (!endsWithBlankLine(out.text)) writeText(out, doc.lineEnding);
            writeText(out, L"[" + doc.groupNames[static_cast<size_t>(entry.group)] + L"]" + doc.lineEnding);
            shownGroup = entry.group;
        }
        putEntry(doc, entry, out);
    }
    if (!tailWritten) putLines(doc.tail);
    std::string content;
    // A file that cannot go back in its own form is left as it is.
    return writtenContent(out, content) && replaceFileContent(doc.path, content);
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
        // The group's headers go with it, each with the blank line before it;
        // other lines stay, before whatever comes next.
        std::vector<IniLine> kept;
        for (IniLine& line : doc.entries[i].before) {
            if (line.group == doc.currentGroup) {
                if (!kept.empty() && trimSpaces(kept.back().text).empty()) kept.pop_back();
                continue;
            }
            kept.push_back(std::move(line));
        }
        std::vector<IniLine>& next = i + 1 < doc.entries.size() ? doc.entries[i + 1].before : doc.tail;
        next.insert(next.begin(), std::make_move_iterator(kept.begin()), std::make_move_iterator(kept.end()));
        doc.entries.erase(doc.entries.begin() + static_cast<std::ptrdiff_t>(i));
        ++doc.changes;
    }
}
