#include "store/category_file.h"

#include <algorithm>

#include "platform/environment.h"
#include "platform/files.h"
#include "platform/text_case.h"
#include "store/text_encoding.h"
#include "store/text_lines.h"

CategoryStore categoryStore;

CategoryItem categoryItem(std::wstring_view text, std::wstring_view definition) {
    CategoryItem item;
    item.line.reserve(text.size() + definition.size());
    item.line.append(text).append(definition);
    item.textLength = static_cast<uint32_t>(text.size());
    return item;
}

void setItemText(CategoryItem& item, std::wstring_view text) {
    item.line.replace(0, item.textLength, text);
    item.textLength = static_cast<uint32_t>(text.size());
}

void setItemDefinition(CategoryItem& item, std::wstring_view definition) {
    item.line.replace(item.textLength, std::wstring::npos, definition);
}

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

namespace {

void addItemLine(CategoryFileContent& content, std::wstring_view line) {
    line = trimSpaces(line);
    if (line.empty()) return;
    const size_t eq = line.find(L'=');
    if (eq == std::wstring_view::npos) {
        content.items.emplace_back();
        return;
    }
    content.items.push_back(categoryItem(trimSpaces(line.substr(0, eq)), trimSpaces(line.substr(eq + 1))));
    content.anyItem = true;
}

// UTF-8, the format of nearly every category, is decoded a line at a time: a
// line break is never part of a sequence, so the lines come out as from the
// whole text, and no copy of the whole text is made beside the items.
void addUtf8Lines(CategoryFileContent& content, std::string_view body) {
    content.items.reserve(static_cast<size_t>(std::count(body.begin(), body.end(), '\n')) + 1);
    size_t start = 0;
    for (size_t i = 0; i < body.size(); ++i) {
        if (body[i] != '\r' && body[i] != '\n') continue;
        addItemLine(content, utf8ToWide(body.substr(start, i - start)));
        if (body[i] == '\r' && i + 1 < body.size() && body[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < body.size()) addItemLine(content, utf8ToWide(body.substr(start)));
}

}  // namespace

bool readCategoryFile(const std::wstring& path, CategoryFileContent& content) {
    // What a long file leaves behind once read is what the items hold: its bytes
    // are in pages of their own, and the list is made as long as it gets at once
    // rather than grown and copied.
    FilePages pages;
    if (!readFilePages(path, pages)) return false;
    const TextShape shape = textShapeOf(pages.bytes());
    content = CategoryFileContent{};
    content.format = shape.format;
    content.hasBom = shape.hasBom;
    if (shape.format == TextFormat::Utf8) {
        addUtf8Lines(content, shape.body);
        return true;
    }
    const std::wstring text = decodeShapedText(shape);
    const std::vector<std::wstring_view> lines = splitTextLines(text);
    content.items.reserve(lines.size());
    for (std::wstring_view line : lines) addItemLine(content, line);
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
        if (item.textLength == 0) continue;
        text += itemText(item);
        text += L'=';
        text += itemDefinition(item);
        text += L"\r\n";
    }
    return replaceFileContent(path, encodeText(text, store.fileFormat, store.fileHasBom));
}
