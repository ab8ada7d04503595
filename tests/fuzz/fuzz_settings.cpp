// The settings file, twice over. Alone: loaded and saved twice, the second save
// writes what the first wrote and the second load reads the entries of the first.
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

std::string savedNow(IniDocument& doc) {
    doc.changes = 1;
    requireThat(save(doc), "a settings file saves");
    std::string bytes;
    requireThat(standinFile(kFile, bytes), "the saved file is there");
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    resetStandin();

    putStandinFile(kFile, bytes);
    const RoundTrip first = loadAndSave();
    const RoundTrip second = loadAndSave();
    requireThat(second.saved == first.saved, "the second save writes what the first wrote");
    requireThat(second.entries == first.entries, "the second load reads the entries of the first");

    putStandinFile(kFile, bytes);
    programRun();
    const RoundTrip secondRun = programRun();
    const RoundTrip thirdRun = programRun();
    requireThat(thirdRun.saved == secondRun.saved, "a run writes what the run before it wrote");
    requireThat(thirdRun.entries == secondRun.entries, "a run reads what the run before it read");
    return 0;
}
