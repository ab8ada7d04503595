#include "store/item_definition.h"

#include <algorithm>

#include "store/text_values.h"

DefinitionFields splitDefinition(std::wstring_view definition) {
    std::wstring* fields[5];
    DefinitionFields result;
    fields[0] = &result.command;
    fields[1] = &result.parameters;
    fields[2] = &result.directory;
    fields[3] = &result.showMode;
    fields[4] = &result.iconSource;
    size_t start = 0;
    for (int n = 0; n < 5 && start <= definition.size(); ++n) {
        size_t end = definition.find(L';', start);
        if (end == std::wstring_view::npos) end = definition.size();
        *fields[n] = definition.substr(start, end - start);
        start = end + 1;
    }
    for (std::wstring* field : fields) std::replace(field->begin(), field->end(), kFieldSemicolon, L';');
    return result;
}

std::wstring storedField(std::wstring_view text) {
    std::wstring stored(text);
    std::replace(stored.begin(), stored.end(), L';', kFieldSemicolon);
    return stored;
}

int parseShowMode(std::wstring_view field) {
    if (field == L"min") return kShowModeMin;
    if (field == L"max") return kShowModeMax;
    if (field == L"admin") return kShowModeAdmin;
    return kShowModeNormal;
}

const wchar_t* showModeWord(int showMode) {
    switch (showMode) {
        case kShowModeMin: return L"min";
        case kShowModeMax: return L"max";
        case kShowModeAdmin: return L"admin";
        default: return L"";
    }
}

IconSource splitIconSource(std::wstring_view field) {
    IconSource source;
    size_t comma = field.rfind(L',');
    if (comma == std::wstring_view::npos) {
        source.file = field;
        return source;
    }
    source.file = field.substr(0, comma);
    source.index = parseIntText(field.substr(comma + 1));
    return source;
}
