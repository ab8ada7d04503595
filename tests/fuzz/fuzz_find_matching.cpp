// What is typed against a caption and a file name, whatever they hold: nothing
// is read out of bounds, the class is one there is, and a letter typed on
// matches only what the text before matched whenever narrowsSearch says so,
// as the search that looks only at those rows takes for granted.
#include <cstddef>
#include <cstdint>
#include <string>

#include "find/find_matching.h"
#include "fuzz_check.h"
#include "platform/text_case.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Caption, file name and typed text, a line each; bytes past ASCII are
    // Latin-1 letters, capitals and the sharp s among them.
    std::wstring texts[3];
    size_t part = 0;
    for (size_t i = 0; i < size && part < 3; ++i) {
        if (data[i] == '\n') ++part;
        else texts[part] += static_cast<wchar_t>(data[i]);
    }
    const std::wstring& typed = texts[2];
    const int matched = matchTexts(texts[0], texts[1], typed).matchClass;
    requireThat(matched >= -1 && matched < kMatchClasses, "a class there is");
    bool before = false;
    for (size_t length = 1; length <= typed.size(); ++length) {
        const bool now = matchTexts(texts[0], texts[1], typed.substr(0, length)).matchClass >= 0;
        if (length > 1 && now && !before)
            requireThat(!narrowsSearch(foldedForSearch(typed.substr(0, length - 1)),
                                       foldedForSearch(typed.substr(0, length))),
                        "a narrowed search finds no row the text before did not");
        before = now;
    }
    return 0;
}
