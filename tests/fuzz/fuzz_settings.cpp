// The settings file, twice over. Alone: loaded and saved twice, the second save
// writes what the first wrote and the second load reads the entries of the first.
// With one value changed, every other line goes back byte for byte.
// As a program run uses it: loaded, the general settings and the window settings
// of a category read and written back, saved; the second run writes what the
// first wrote, so nothing creeps from run to run.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "platform_standin.h"
#include "settings/general_settings.h"
#include "settings/ini_document.h"
#include "store/category_file.h"
#include "store/category_window.h"
#include "store/encoded_lines.h"

namespace {

const std::wstring kFile = L"C:\\Data\\Kivo.ini";

std::vector<std::wstring> entryLines(const IniDocument& doc) {
    std::vector<std::wstring> lines;
    for (const IniEntry& e : doc.entries)
        lines.push_back(doc.groupNames[static_cast<size_t>(e.group)] + L"|" + e.key + L"|" + e.value);
    return lines;
}

struct RoundTrip {
    std::vector<std::wstring> entries;
    std::string saved;
};

IniDocument loaded() {
    IniDocument doc;
    doc.path = kFile;
    requireThat(load(doc), "a settings file that exists loads");
    return doc;
}

// A file that cannot go back in its own form is left as it was.
std::string savedNow(IniDocument& doc) {
    std::string before, bytes;
    requireThat(standinFile(kFile, before), "the file is there");
    doc.changes = 1;
    const bool saved = save(doc);
    requireThat(standinFile(kFile, bytes) && (saved || bytes == before), "a refused save changes nothing");
    return bytes;
}

RoundTrip loadAndSave() {
    IniDocument doc = loaded();
    RoundTrip trip;
    trip.entries = entryLines(doc);
    trip.saved = savedNow(doc);
    return trip;
}

// What a start and an exit do with the settings file.
RoundTrip programRun() {
    IniDocument doc = loaded();
    RoundTrip trip;
    trip.entries = entryLines(doc);
    GeneralSettings general;
    readGeneralSettings(doc, general, L"English");
    CategoryStore store;
    std::wstring shown = general.CatSelect.empty() ? general.MRU : general.CatSelect;
    store.loadedCategory = isCategoryName(shown) ? shown : std::wstring(L"Programs");
    applyCategoryWindow(store, doc, general, ScreenRect{0, 0, 1024, 700}, 1);
    storeCategoryWindow(store, doc);
    writeGeneralSettings(doc, general, store.loadedCategory);
    trip.saved = savedNow(doc);
    return trip;
}

std::vector<std::string_view> linesOf(const TextShape& shape) {
    std::vector<std::string_view> lines;
    EncodedLine line;
    for (size_t at = 0, start = 0; at < shape.body.size(); start = at) {
        at = encodedLineAt(shape.body, at, shape.format, line);
        lines.push_back(shape.body.substr(start, at - start));
    }
    return lines;
}

void checkOtherLinesKeepTheirBytes(const std::string& bytes) {
    putStandinFile(kFile, bytes);
    IniDocument doc = loaded();
    if (doc.entries.empty()) return;
    doc.entries.front().value += L"x";
    doc.changes = 1;
    std::string saved;
    if (!save(doc) || !standinFile(kFile, saved)) return;
    const TextShape read = textShapeOf(bytes), written = textShapeOf(saved);
    if (read.body.size() % codeUnitSize(read.format) != 0) return;  // a unit cut short is made whole
    // Only ANSI that would be read as something else changes its form: to UTF-8 with a mark.
    if (read.format == TextFormat::Ansi && written.format == TextFormat::Utf8 && written.hasBom) return;
    // A mark may come in front of bytes that would now be read as something else.
    requireThat(written.format == read.format && (written.hasBom || !read.hasBom), "the file keeps its form");
    const std::vector<std::string_view> before = linesOf(read), after = linesOf(written);
    size_t changed = 0;
    for (size_t i = 0; i < before.size() && i < after.size(); ++i) changed += before[i] != after[i];
    requireThat(before.size() == after.size() && changed == 1, "only the changed value's line changes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    resetStandin();

    putStandinFile(kFile, bytes);
    const RoundTrip first = loadAndSave();
    const RoundTrip second = loadAndSave();
    requireThat(second.saved == first.saved, "the second save writes what the first wrote");
    requireThat(second.entries == first.entries, "the second load reads the entries of the first");

    checkOtherLinesKeepTheirBytes(bytes);

    putStandinFile(kFile, bytes);
    programRun();
    const RoundTrip secondRun = programRun();
    const RoundTrip thirdRun = programRun();
    requireThat(thirdRun.saved == secondRun.saved, "a run writes what the run before it wrote");
    requireThat(thirdRun.entries == secondRun.entries, "a run reads what the run before it read");
    return 0;
}
