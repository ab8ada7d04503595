#include "launch/item_fields.h"

#include "platform/environment.h"
#include "platform/files.h"
#include "platform/text_case.h"
#include "store/item_definition.h"

namespace {

// Web and mail addresses are percent-encoded: "%20b%" in them is text, not a
// reference to remove.
bool holdsWebAddress(const std::wstring& text) {
    const std::wstring lower = toLowerCase(text);
    return lower.find(L"http://") != std::wstring::npos || lower.find(L"https://") != std::wstring::npos ||
           lower.find(L"mailto:") != std::wstring::npos;
}

}  // namespace

ItemKind itemKindOf(const std::wstring& command) {
    const std::wstring lower = toLowerCase(command);
    if (lower == L"kivo") return ItemKind::CategorySwitch;
    if (lower.starts_with(L"files"))
        return lower.size() == 5 || lower[5] == L' ' ? ItemKind::FileMenu : ItemKind::Ordinary;
    if (lower.starts_with(L"http") || lower.starts_with(L"mailto:")) return ItemKind::WebAddress;
    return ItemKind::Ordinary;
}

void parseItem(const CategoryItem& element, ItemFields& fields) {
    const DefinitionFields parts = splitDefinition(itemDefinition(element));
    fields.text = itemText(element);
    fields.command = parts.command;
    fields.parameters = parts.parameters;
    fields.directory = parts.directory;
    fields.showMode = parseShowMode(parts.showMode);
    fields.iconSource = parts.iconSource;
    // Items keep no icons: the views take theirs from the icon cache.
    fields.largeIcon = nullptr;
    fields.smallIcon = nullptr;
    fields.kind = itemKindOf(fields.command);
}

void prepareLaunch(const CategoryItem& element, ItemFields& record) {
    parseItem(element, record);
    record.command = record.kind == ItemKind::WebAddress ? expandEnvironment(record.command, UnknownVariables::Keep)
                                                         : expandVariables(record.command);
    record.parameters = holdsWebAddress(record.parameters)
                            ? expandEnvironment(record.parameters, UnknownVariables::Keep)
                            : expandVariables(record.parameters);
    record.directory = expandVariables(record.directory);
}

std::wstring expandVariables(std::wstring_view text) {
    if (text.find(L'%') == std::wstring_view::npos) return std::wstring(text);
    const std::wstring expanded = expandEnvironment(std::wstring(text), UnknownVariables::Keep);
    // Copied piece by piece: erasing each name in place would move the rest of
    // a long caption once for every name in it.
    std::wstring result;
    size_t from = 0;
    for (;;) {
        const size_t open = expanded.find(L'%', from);
        const size_t close = open == std::wstring::npos ? open : expanded.find(L'%', open + 1);
        if (close == std::wstring::npos) break;
        result.append(expanded, from, open - from);
        from = close + 1;
    }
    result.append(expanded, from);
    return result;
}

std::wstring toFullPath(const std::wstring& path) {
    if (path.empty()) return path;
    return fullPathName(expandEnvironment(path, UnknownVariables::Keep));
}

void joinDefinition(const ItemFields& fields, bool separator, const std::wstring& dataFolder, CategoryItem& element) {
    std::wstring definition;
    if (!separator) {
        definition = storedField(fields.command) + L";" + storedField(fields.parameters) + L";" +
                     storedField(fields.directory) + L";" + showModeWord(fields.showMode);
        if (!fields.iconSource.empty()) {
            std::wstring_view source = fields.iconSource;
            if (!dataFolder.empty() && source.size() >= dataFolder.size() &&
                sameTextIgnoringCase(source.substr(0, dataFolder.size()), dataFolder))
                source.remove_prefix(dataFolder.size());
            definition += L";" + storedField(source);
        }
        while (!definition.empty() && definition.back() == L';') definition.pop_back();
    }
    element = categoryItem(fields.text, definition);
}
