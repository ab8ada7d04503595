#include "store/category_file.h"

#include <algorithm>

#include "platform/environment.h"
#include "platform/files.h"
#include "platform/text_case.h"
#include "store/text_lines.h"

CategoryStore categoryStore;

void clearCategoryItems(CategoryStore& store) {
    store.items.clear();  // each item's icons go with it
    store.selectedItem = -1;
}

bool isFileNameText(const std::wstring& name) {
    if (name.empty()) return false;
    for (wchar_t c : name)
        if (c < 32 || std::wstring_view(L"\"*/:<>?\\|").find(c) != std::wstring_view::npos) return false;
    return true;
}

bool isDeviceName(const std::wstring& name) {
    // The system takes the part before the first dot, trailing spaces ignored,
    // as the device whatever the extension.
    std::wstring base = toLowerCase(name.substr(0, name.find(L'.')));
    while (!base.empty() && base.back() == L' ') base.pop_back();
    if (base == L"con" || base == L"prn" || base == L"aux" || base == L"nul" || base == L"conin$" ||
        base == L"conout$")
        return true;
    if (base.size() != 4 || (base.compare(0, 3, L"com") != 0 && base.compare(0, 3, L"lpt") != 0)) return false;
    const wchar_t digit = base[3];
    // Superscript one to three name devices too.
    return (digit >= L'1' && digit <= L'9') || digit == L'\x00B9' || digit == L'\x00B2' || digit == L'\x00B3';
}

bool isCategoryName(const std::wstring& name) {
    if (!isFileNameText(name) || isDeviceName(name)) return false;
    // The file is named after the expanded name, which must still name a file of
    // the data folder: "%USERPROFILE%" would lead out of it.
    const std::wstring expanded = expandEnvironment(name);
    return isFileNameText(expanded) && !isDeviceName(expanded);
}

std::wstring categoryFilePathOf(const std::wstring& name) {
    if (!isCategoryName(name)) return std::wstring();
    return fullPathName(expandEnvironment(name) + L".kvl");
}

bool isTempCategory(const std::wstring& categoryName) { return toLowerCase(categoryName) == L"temp"; }

bool loadCategoryFile(CategoryStore& store, const std::wstring& path) {
    clearCategoryItems(store);
    return insertCategoryFile(store, path);
}

bool readCategoryFile(const std::wstring& path, CategoryFileContent& content) {
    std::string bytes;
    if (!readWholeFile(path, bytes)) return false;
    DecodedText decoded = decodeText(bytes);
    // What a long file leaves behind once read is what the items hold: the
    // bytes go before the lines are split, and the list is made as long as it
    // gets at once rather than grown and copied.
    std::string().swap(bytes);
    const std::vector<std::wstring_view> lines = splitTextLines(decoded.text);
    content = CategoryFileContent{};
    content.format = decoded.format;
    content.hasBom = decoded.hasBom;
    content.items.reserve(lines.size());
    for (std::wstring_view line : lines) {
        line = trimSpaces(line);
        if (line.empty()) continue;
        CategoryItem item;
        size_t eq = line.find(L'=');
        if (eq != std::wstring_view::npos) {
            item.text = trimSpaces(line.substr(0, eq));
            item.definition = trimSpaces(line.substr(eq + 1));
            content.anyItem = true;
        }
        content.items.push_back(std::move(item));
    }
    return true;
}

bool insertCategoryFile(CategoryStore& store, const std::wstring& path) {
    CategoryFileContent content;
    if (!readCategoryFile(path, content)) return false;
    store.fileFormat = content.format;
    store.fileHasBom = content.hasBom;
    CategoryItems& read = content.items;
    const bool anyAccepted = content.anyItem;
    size_t at = static_cast<size_t>(store.selectedItem + 1);
    if (at > store.items.size()) at = store.items.size();
    if (store.items.empty())
        store.items = std::move(read);
    else
        store.items.insert(store.items.begin() + static_cast<std::ptrdiff_t>(at), std::make_move_iterator(read.begin()),
                           std::make_move_iterator(read.end()));
    if (anyAccepted) store.selectedItem = static_cast<int>(at);
    return true;
}

bool saveCategoryFile(const CategoryStore& store, const std::wstring& path) {
    std::wstring text;
    for (const CategoryItem& item : store.items) {
        if (item.text.empty()) continue;
        text += item.text;
        text += L'=';
        text += item.definition;
        text += L"\r\n";
    }
    return replaceFileContent(path, encodeText(text, store.fileFormat, store.fileHasBom));
}
