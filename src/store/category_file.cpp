#include "store/category_file.h"

#include <algorithm>

#include "platform/environment.h"
#include "platform/files.h"
#include "platform/text_case.h"
#include "store/encoded_lines.h"
#include "store/text_encoding.h"
#include "store/text_lines.h"
#include "store/text_writer.h"

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
    store.keptBytes.clear();
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

// The caption's and the definition's bytes, found as addItemLine found them in
// the text.
void keepItemBytes(CategoryFileContent& content, std::string_view bytes, TextFormat format) {
    const std::string_view line = trimEncodedSpaces(bytes, format);
    const size_t eq = findEncodedCharacter(line, format, '=');
    if (eq == std::string_view::npos) return;
    const std::string_view definition = line.substr(std::min(eq + codeUnitSize(format), line.size()));
    content.keptBytes.push_back(KeptItemBytes{std::string(trimEncodedSpaces(line.substr(0, eq), format)),
                                              std::string(trimEncodedSpaces(definition, format))});
    content.items.back().keptBytes = static_cast<uint32_t>(content.keptBytes.size());
}

void addItemLine(CategoryFileContent& content, std::wstring_view line, std::string_view bytes, TextFormat format,
                 bool exact) {
    line = trimSpaces(line);
    if (line.empty()) return;
    const size_t eq = line.find(L'=');
    if (eq == std::wstring_view::npos) {
        content.items.emplace_back();
        return;
    }
    content.items.push_back(categoryItem(trimSpaces(line.substr(0, eq)), trimSpaces(line.substr(eq + 1))));
    content.anyItem = true;
    if (!exact) keepItemBytes(content, bytes, format);
}

// Decoded a line at a time: a line break is a code unit of its own in every
// format, so the lines come out as from the whole text, each line's bytes are
// at hand, and no copy of the whole text is made beside the items.
void addLinesOneByOne(CategoryFileContent& content, std::string_view body, TextFormat format) {
    bool exact = true;
    for (size_t at = 0; at < body.size();) {
        EncodedLine line;
        at = encodedLineAt(body, at, format, line);
        const std::wstring text = decodeTextBody(line.bytes, format, exact);
        addItemLine(content, text, line.bytes, format, exact);
    }
}

// Small enough to stay in the cache, large enough that the calls it takes cost
// nothing beside its lines.
constexpr size_t kAnsiBlockBytes = 4096;

// Where the block of whole lines that starts at `from` ends: after a line feed,
// so that no CR LF is cut in two.
size_t ansiBlockEnd(std::string_view body, size_t from) {
    if (body.size() - from <= kAnsiBlockBytes) return body.size();
    size_t end = body.rfind('\n', from + kAnsiBlockBytes);
    if (end == std::string_view::npos || end < from) end = body.find('\n', from + kAnsiBlockBytes);
    return end == std::string_view::npos ? body.size() : end + 1;
}

// The system decodes ANSI, and its calls for every line of a long category
// cost more than the rest of the reading: a block of lines is decoded and
// checked to convert back at once. Only a block that does not is read again a
// line at a time, for the bytes of the lines that need keeping.
void addAnsiLines(CategoryFileContent& content, std::string_view body) {
    for (size_t at = 0; at < body.size();) {
        const std::string_view block = body.substr(at, ansiBlockEnd(body, at) - at);
        at += block.size();
        bool exact = true;
        const std::wstring text = decodeTextBody(block, TextFormat::Ansi, exact);
        if (!exact) {
            addLinesOneByOne(content, block, TextFormat::Ansi);
            continue;
        }
        for (std::wstring_view line : splitTextLines(text))
            addItemLine(content, line, std::string_view(), TextFormat::Ansi, true);
    }
}

void addLines(CategoryFileContent& content, std::string_view body, TextFormat format) {
    content.items.reserve(static_cast<size_t>(std::count(body.begin(), body.end(), '\n')) + 1);
    if (format == TextFormat::Ansi)
        addAnsiLines(content, body);
    else
        addLinesOneByOne(content, body, format);
}

const KeptItemBytes* keptBytesOf(const CategoryStore& store, const CategoryItem& item) {
    if (item.keptBytes == 0 || item.keptBytes > store.keptBytes.size()) return nullptr;
    return &store.keptBytes[item.keptBytes - 1];
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
    addLines(content, shape.body, shape.format);
    return true;
}

bool insertCategoryFile(CategoryStore& store, const std::wstring& path) {
    CategoryFileContent content;
    if (!readCategoryFile(path, content)) return false;
    store.fileFormat = content.format;
    store.fileHasBom = content.hasBom;
    CategoryItems& read = content.items;
    const uint32_t keptBefore = static_cast<uint32_t>(store.keptBytes.size());
    for (CategoryItem& item : read)
        if (item.keptBytes != 0) item.keptBytes += keptBefore;
    store.keptBytes.insert(store.keptBytes.end(), std::make_move_iterator(content.keptBytes.begin()),
                           std::make_move_iterator(content.keptBytes.end()));
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
    TextWriter out{store.fileFormat, store.fileHasBom};
    for (const CategoryItem& item : store.items) {
        if (item.textLength == 0) continue;
        if (const KeptItemBytes* kept = keptBytesOf(store, item)) {
            writeKeptBytes(out, kept->caption, itemText(item));
            writeText(out, L"=");
            writeKeptBytes(out, kept->definition, itemDefinition(item));
        } else {
            writeText(out, itemText(item));
            writeText(out, L"=");
            writeText(out, itemDefinition(item));
        }
        writeText(out, L"\r\n");
    }
    std::string content;
    return writtenContent(out, content) && replaceFileContent(path, content);
}
