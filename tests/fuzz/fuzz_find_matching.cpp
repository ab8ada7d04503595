// What is typed against a caption and a file name, whatever they hold: nothing
// is read out of bounds, and a letter typed on matches only what the text
// before matched whenever narrowsSearch says so, as the narrowed search takes
// for granted. Lines: caption, file name, text; bytes past ASCII are Latin-1.
#include <cstddef>
#include <cstdint>
#include <string>

#include "find/find_matching.h"
#include "fuzz_check.h"
#include "platform/text_case.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring texts[3];
    for (size_t i = 0, part = 0; i < size && part < 3; ++i)
        data[i] == '\n' ? void(++part) : void(texts[part] += static_cast<wchar_t>(data[i]));
    const std::wstring& typed = texts[2];
    bool before = false;
    for (size_t length = 1; length <= typed.size(); ++length) {
        const bool now = matchTexts(texts[0], texts[1], typed.substr(0, length)).matchClass >= 0;
        requireThat(!now || before || length == 1 || !narrowsSearch(foldedForSearch(typed.substr(0, length - 1)),
                                                                     foldedForSearch(typed.substr(0, length))),
                    "a narrowed search finds no row the text before did not");
        before = now;
    }
    return 0;
}
