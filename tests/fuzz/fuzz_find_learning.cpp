// The file of what Find learned, however it came to be: reading it never takes
// more than it may keep, and what it kept is written and read back unchanged,
// with one more choice learned.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "find/find_memory.h"
#include "platform_standin.h"
#include "settings/data_folder.h"
#include "settings/general_settings.h"

namespace {

const std::wstring kFile = std::wstring(L"C:\\Data\\") + kFindMemoryFileName;

// Every field of every choice, in order.
bool sameChoices(const std::vector<LearnedChoice>& a, const std::vector<LearnedChoice>& b) {
    return formatLearnedChoices(a) == formatLearnedChoices(b);
}

std::vector<LearnedChoice> readBack() {
    FindMemory memory;
    readFindMemory(memory);
    requireThat(memory.writable, "a file Find wrote reads again");
    return memory.ranking.choices;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    resetStandin();
    programFolders = ProgramFolders{};
    programFolders.dataFolder = L"C:\\Data\\";
    generalSettings = GeneralSettings{};
    putStandinFile(kFile, std::string(reinterpret_cast<const char*>(data), size));
    FindMemory memory;
    readFindMemory(memory);
    const std::vector<LearnedChoice> read = memory.ranking.choices;
    requireThat(read.size() <= kMostLearnedChoices, "no more choices than are kept");
    for (const LearnedChoice& choice : read) {
        requireThat(choice.uses > 0 && !choice.typed.empty() && choice.typed.size() <= kLongestLearnedText &&
                        choice.row.size() <= kLongestLearnedRow,
                    "only whole choices are kept");
        requireThat(choice.typed.find_first_of(L"\t\r\n") == std::wstring::npos, "a typed text is one field");
    }
    if (!memory.writable) return 0;

    requireThat(writeLearnedFile(kFile, read) && sameChoices(readBack(), read), "what was read is written back");
    const std::wstring row = itemRowKey(L"Tools", L"Editor", L"C:\\editor.exe");
    rememberFindChoice(memory, L"ed", row);
    const std::vector<LearnedChoice> after = readBack();
    requireThat(sameChoices(after, memory.ranking.choices) && after.size() <= kMostLearnedChoices,
                "a choice learned is saved with the rest");
    bool learned = false;
    for (const LearnedChoice& choice : after) learned = learned || (choice.typed == L"ed" && choice.row == row);
    requireThat(learned, "the new choice is kept, whatever went before");
    return 0;
}
