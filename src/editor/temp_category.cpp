#include "editor/temp_category.h"

#include <algorithm>
#include <iterator>

#include "platform/files.h"
#include "platform/text_case.h"
#include "store/category_file.h"
#include "store/text_encoding.h"
#include "store/text_lines.h"

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
    DecodedText file{std::wstring(), store.fileFormat, store.fileFormat == TextFormat::Utf16Be};
    if (fileExists(tempFile)) {
        std::string bytes;
        // A temp file that is there but cannot be read is not written over.
        if (!readWholeFile(tempFile, bytes)) return false;
        // The lines join those there in their format: bytes of another one
        // would read back as garbage.
        if (!bytes.empty()) file = decodeText(bytes);
        if (!file.text.empty() && file.text.back() != L'\n' && file.text.back() != L'\r') file.text += L"\r\n";
    }
    return replaceFileContent(tempFile, encodeText(file.text + lines, file.format, file.hasBom));
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
    const DecodedText file = decodeText(bytes);
    std::wstring rest;
    int skipped = 0;
    bool itemsLeft = false;
    for (std::wstring_view line : splitTextLines(file.text)) {
        const bool item = !trimSpaces(line).empty();
        if (item && skipped < count) {
            ++skipped;
            continue;
        }
        if (skipped < count) continue;
        itemsLeft = itemsLeft || item;
        rest.append(line);
        rest += L"\r\n";
    }
    if (skipped < count) return false;
    if (!itemsLeft) return deleteFile(tempFile);
    return replaceFileContent(tempFile, encodeText(rest, file.format, file.hasBom));
}
