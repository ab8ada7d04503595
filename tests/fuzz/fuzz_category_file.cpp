// A category file, loaded and saved twice: the second save writes what the first
// wrote (or both leave a file they cannot write in its form as it was), and the
// second load reads the items the first one kept. Loading into a list that has
// items, and the fields of every definition, must hold up as well.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "platform_standin.h"
#include "store/category_file.h"
#include "store/drive_letters.h"
#include "store/item_definition.h"
#include "store/text_encoding.h"
#include "store/text_lines.h"

namespace {

const std::wstring kFile = L"C:\\Data\\Tools.kvl";

// The items a save keeps: those with a caption.
std::vector<std::wstring> keptItems(const CategoryStore& store) {
    std::vector<std::wstring> items;
    for (const CategoryItem& item : store.items)
        if (!itemText(item).empty())
            items.push_back(std::wstring(itemText(item)) + L"=" + std::wstring(itemDefinition(item)));
    return items;
}

struct RoundTrip {
    std::vector<std::wstring> items;
    std::string saved;
};

RoundTrip loadAndSave(const DriveLetters& drives) {
    CategoryStore store;
    requireThat(loadCategoryFile(store, kFile), "a category file that exists loads");
    if (drives.varDrive) adaptDriveLetters(store.items, drives);
    RoundTrip trip;
    trip.items = keptItems(store);
    std::string before;
    requireThat(standinFile(kFile, before), "the file is there");
    const bool saved = saveCategoryFile(store, kFile);
    requireThat(standinFile(kFile, trip.saved) && (saved || trip.saved == before), "a refused save changes nothing");
    return trip;
}

void checkRoundTrips(const std::string& bytes, const DriveLetters& drives) {
    putStandinFile(kFile, bytes);
    const RoundTrip first = loadAndSave(drives);
    const RoundTrip second = loadAndSave(drives);
    requireThat(second.saved == first.saved, "the second save writes what the first wrote");
    requireThat(second.items == first.items, "the second load reads the items the first kept");
}

// UTF-8 is read a line at a time: the items are those of the whole text decoded
// at once and split into lines.
void checkLinesOfTheWholeText(const std::string& bytes) {
    putStandinFile(kFile, bytes);
    CategoryFileContent content;
    requireThat(readCategoryFile(kFile, content), "a category file that exists reads");
    const DecodedText whole = decodeText(bytes);
    std::vector<std::wstring_view> lines;
    for (std::wstring_view line : splitTextLines(whole.text))
        if (!trimSpaces(line).empty()) lines.push_back(trimSpaces(line));
    requireThat(content.items.size() == lines.size(), "an item for every line that is not blank");
    for (size_t i = 0; i < lines.size() && i < content.items.size(); ++i) {
        const size_t eq = lines[i].find(L'=');
        const CategoryItem& item = content.items[i];
        const bool same = eq == std::wstring_view::npos
                              ? item.line.empty()
                              : itemText(item) == trimSpaces(lines[i].substr(0, eq)) &&
                                    itemDefinition(item) == trimSpaces(lines[i].substr(eq + 1));
        requireThat(same, "each item holds what its line of the whole text holds");
    }
}

void takeDefinitionsApart(const CategoryStore& store) {
    for (const CategoryItem& item : store.items) {
        const DefinitionFields fields = splitDefinition(itemDefinition(item));
        const int showMode = parseShowMode(fields.showMode);
        requireThat(parseShowMode(showModeWord(showMode)) == showMode, "a show mode survives its word");
        const IconSource icon = splitIconSource(fields.iconSource);
        requireThat(icon.file.size() <= fields.iconSource.size(), "an icon file is part of its field");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    resetStandin();
    checkLinesOfTheWholeText(bytes);
    checkRoundTrips(bytes, DriveLetters{});
    // On a USB stick the items follow the drive letter the program runs from.
    checkRoundTrips(bytes, DriveLetters{true, L'E', L'C', L'C'});

    // Inserted after the second of two items read before.
    putStandinFile(kFile, bytes);
    CategoryStore store;
    store.items.assign(2, categoryItem(L"Old", L"old.exe"));
    store.selectedItem = 1;
    requireThat(insertCategoryFile(store, kFile), "a category file inserts");
    requireThat(store.items.size() >= 2 && itemText(store.items[0]) == L"Old" && itemText(store.items[1]) == L"Old",
                "the items before the insertion stay");
    takeDefinitionsApart(store);
    return 0;
}
