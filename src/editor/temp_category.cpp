#include "editor/temp_category.h"

#include <algorithm>
#include <iterator>

#include "platform/files.h"
#include "platform/text_case.h"
#include "store/category_file.h"
#include "store/encoded_lines.h"
#include "store/text_encoding.h"
#include "store/text_lines.h"
#include "store/text_writer.h"

bool tempHoldsItems(const std::wstring& tempFile) {
    uint64_t size = 0;
    return fileSize(tempFile, size) && size > 0;
}

bool copyToTemp(const CategoryStore& store, const std::vector<int>& positions, const std::wstring& tempFile) {
    std::wstring lines;
    for (int position : positions) {
        if (position < 0 || position >= static_cast<int>(store.items.size())) continue;
        const CategoryItem& item = store.items[static_cast<size_t>(position)];
        lines.append(itemText(item)).append(L"=").append(itemDefinition(item)).append(L"\r\n");
    }
    if (lines.empty()) return false;
    // A new file has no mark, except where only a mark tells the format.
    TextShape file{store.fileFormat, store.fileFormat == TextFormat::Utf16Be, std::string_view()};
    std::string bytes;
    if (fileExists(tempFile)) {
        // A temp file that is there but cannot be read is not written over.
        if (!readWholeFile(tempFile, bytes)) return false;
        // The lines join those there in their format: bytes of another one
        // would read back as garbage. Those there stay as they are.
        if (!bytes.empty()) file = textShapeOf(bytes);
    }
    TextWriter out{file.format, file.hasBom};
    bool exact = true;
    const std::wstring there = decodeTextBody(file.body, file.format, exact);
    writeKeptBytes(out, file.body, there);
    if (!there.empty() && there.back() != L'\n' && there.back() != L'\r') writeText(out, L"\r\n");
    writeText(out, lines);
    std::string content;
    return writtenContent(out, content) && replaceFileContent(tempFile, content);
}

int removeItems(CategoryStore& store, const std::vector<int>& positions) {
    std::vector<int> sorted = positions;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    int removed = 0;
    for (auto it = sorted.rbegin(); it != sorted.rend(); ++it) {
        if (*it < 0 || *it >= static_cast<int>(store.items.size())) continue;
        store.items.erase(store.items.begin() + *it);
        ++removed;
    }
    const int count = static_cast<int>(store.items.size());
    if (store.selectedItem >= count) store.selectedItem = count - 1;
    return removed;
}

int insertFromTemp(CategoryStore& store, const std::wstring& tempFile, const DriveLetters& drives) {
    CategoryStore temp;
    if (!loadCategoryFile(temp, tempFile)) return 0;
    if (drives.varDrive) adaptDriveLetters(temp.items, drives);
    if (temp.items.empty()) return 0;
    const int at = std::min(store.selectedItem + 1, static_cast<int>(store.items.size()));
    const int count = static_cast<int>(temp.items.size());
    store.items.insert(store.items.begin() + at, std::make_move_iterator(temp.items.begin()),
                       std::make_move_iterator(temp.items.end()));
    store.selectedItem = at;
    return count;
}

bool dropTakenItems(const std::wstring& tempFile, int count) {
    std::string bytes;
    if (count <= 0 || !readWholeFile(tempFile, bytes)) return false;
    const TextShape file = textShapeOf(bytes);
    TextWriter out{file.format, file.hasBom};
    int skipped = 0;
    bool itemsLeft = false;
    for (size_t at = 0; at < file.body.size();) {
        EncodedLine line;
        at = encodedLineAt(file.body, at, file.format, line);
        bool exact = true;
        const std::wstring text = decodeTextBody(line.bytes, file.format, exact);
        const bool item = !trimSpaces(text).empty();
        if (skipped < count) {
            skipped += item ? 1 : 0;
            continue;
        }
        itemsLeft = itemsLeft || item;
        writeKeptBytes(out, line.bytes, text);  // as it came
        writeText(out, L"\r\n");
    }
    if (skipped < count) return false;
    if (!itemsLeft) return deleteFile(tempFile);
    std::string content;
    return writtenContent(out, content) && replaceFileContent(tempFile, content);
}
