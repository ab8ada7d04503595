// A language file: read twice it gives the same table, and the table written out
// as "N=text" lines reads back as itself.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "platform_standin.h"
#include "settings/language.h"
#include "store/text_encoding.h"

namespace {

const std::wstring kProgramFolder = L"C:\\Kivo\\";

LanguageTable loadedTable() {
    LanguageTable table;
    fillDefaultLanguage(table);
    requireThat(loadLanguage(table, kProgramFolder, L"Deutsch", L"English") == L"Deutsch",
                "the language file is found");
    return table;
}

// UTF-16 holds every text, a lone surrogate as well.
std::string writtenOut(const LanguageTable& table) {
    std::wstring text;
    for (int n = 1; n <= kLanguageEntryCount; ++n) text += std::to_wstring(n) + L"=" + languageText(table, n) + L"\r\n";
    return encodeText(text, TextFormat::Utf16Le, true);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    resetStandin();
    putStandinFile(kProgramFolder + L"Languages\\Deutsch.lng", std::string(reinterpret_cast<const char*>(data), size));
    const LanguageTable first = loadedTable();
    const LanguageTable second = loadedTable();
    requireThat(second.texts == first.texts && second.name == first.name, "reading is deterministic");
    for (int n = 1; n <= kLanguageEntryCount; ++n)
        requireThat(languageText(first, n).find(L'=') == std::wstring::npos, "no text holds a \"=\"");

    putStandinFile(kProgramFolder + L"Languages\\Deutsch.lng", writtenOut(first));
    const LanguageTable again = loadedTable();
    requireThat(again.texts == first.texts, "the table written out reads back as itself");
    return 0;
}
